#include "directory/ldap/LdapEntryReader.h"

#include <ldap.h>

#include "core/NetworkAddressText.h"
#include "core/PlainRdn.h"
#include "core/TextUtil.h"

namespace cvx {

LdapEntryReader::LdapEntryReader(std::shared_ptr<const LdapTreeInfo> info)
    : info_(std::move(info)),
      aliasedObjectName_(info_->Schema().FindAttribute("aliasedObjectName")) {}

const AttributeTypeInfo* LdapEntryReader::Attribute(std::string_view spelling) {
  auto it = attributes_.find(spelling);
  if (it == attributes_.end()) {
    it = attributes_.emplace(std::string(spelling), info_->Schema().FindAttribute(spelling)).first;
  }
  return it->second;
}

const ObjectClassInfo* LdapEntryReader::Class(std::string_view spelling) {
  auto it = classes_.find(spelling);
  if (it == classes_.end()) {
    it = classes_.emplace(std::string(spelling), info_->Schema().FindClass(spelling)).first;
  }
  return it->second;
}

namespace {

// The value of a DN's first RDN when it is plain (PlainRdnValue), and the parent's DN after the
// comma: how nearly every entry of a large tree is named.
bool PlainFirstRdn(std::string_view dn, std::string_view& value, std::string_view& parentDn) {
  const auto comma = dn.find(',');
  if (comma == std::string_view::npos || !PlainRdnValue(dn.substr(0, comma), value)) return false;
  parentDn = dn.substr(comma + 1);
  return true;
}

}  // namespace

std::optional<std::string> LdapEntryReader::PathOf(berval dn, std::string* relativeName) {
  // The entries of a large result share few parents: a parent's DN is parsed once, and of each
  // entry only its own RDN.
  LDAPRDN rdn = nullptr;
  char* next = nullptr;
  std::string_view value, parentDn;
  std::string joined;
  if (!PlainFirstRdn(std::string_view(dn.bv_val, dn.bv_len), value, parentDn) && dn.bv_len > 0 &&
      ldap_bv2rdn(&dn, &rdn, &next, LDAP_DN_FORMAT_LDAPV3) == LDAP_SUCCESS && next &&
      next < dn.bv_val + dn.bv_len && (*next == ',' || *next == ';')) {
    for (int j = 0; rdn[j]; ++j) {
      if (j) joined += '+';
      joined.append(rdn[j]->la_value.bv_val, rdn[j]->la_value.bv_len);
    }
    value = joined;
    parentDn = std::string_view(next + 1, dn.bv_val + dn.bv_len - (next + 1));
  }
  ldap_rdnfree(rdn);
  std::optional<std::string> path;
  if (!parentDn.empty()) {
    auto it = parents_.find(parentDn);
    if (it == parents_.end()) {
      Parent parent;
      berval text{parentDn.size(), const_cast<char*>(parentDn.data())};
      LDAPDN parsed = nullptr;
      if (ldap_bv2dn(&text, &parsed, LDAP_DN_FORMAT_LDAPV3) == LDAP_SUCCESS) {
        parent.path = info_->FullPathOf(parsed, nullptr);
        while (parsed && parsed[parent.rdns]) ++parent.rdns;
      }
      ldap_dnfree(parsed);
      it = parents_.emplace(std::string(parentDn), std::move(parent)).first;
    }
    if (it->second.path) {
      path = info_->ChildPathOf(*it->second.path, it->second.rdns, value, relativeName);
    }
  }
  if (path) return path;
  LDAPDN parsed = nullptr;
  if (ldap_bv2dn(&dn, &parsed, LDAP_DN_FORMAT_LDAPV3) == LDAP_SUCCESS) {
    path = info_->FullPathOf(parsed, relativeName);
  }
  ldap_dnfree(parsed);
  return path;
}

std::optional<LdapEntryData> LdapEntryReader::Read(LDAP* ld, LDAPMessage* entry) {
  BerElement* ber = nullptr;
  berval dn{};
  if (ldap_get_dn_ber(ld, entry, &ber, &dn) != LDAP_SUCCESS) {
    if (ber) ber_free(ber, 0);
    return std::nullopt;
  }
  LdapEntryData data;
  data.dn.assign(dn.bv_val, dn.bv_len);
  std::optional<std::string> path = PathOf(dn, &data.relativeName);
  if (!path) {
    ber_free(ber, 0);
    return std::nullopt;
  }
  data.fullPath = std::move(*path);

  ber_len_t encoded = 0;
  ber_get_option(ber, LBER_OPT_REMAINING_BYTES, &encoded);
  data.attributes.Reserve(encoded);
  std::vector<const ObjectClassInfo*>& classes = entryClasses_;
  classes.clear();
  std::string lastClass;
  berval name{};
  berval* values = nullptr;
  while (ldap_get_attribute_ber(ld, entry, ber, &name, &values) == LDAP_SUCCESS && name.bv_val) {
    std::string_view type(name.bv_val, name.bv_len);
    // Options ("userCertificate;binary") do not change which field a value belongs to.
    type = type.substr(0, type.find(';'));
    if (EqualsNoCase(type, "hasSubordinates")) {
      if (values && values[0].bv_val) {
        data.hasSubordinates =
            EqualsNoCase(std::string_view(values[0].bv_val, values[0].bv_len), "TRUE");
      }
      ber_memfree(values);
      continue;
    }
    const auto* attr = Attribute(type);
    const bool isClass = EqualsNoCase(type, "objectClass");
    data.attributes.Begin(attr, type);
    for (berval* v = values; v && v->bv_val; ++v) {
      const std::string_view value(v->bv_val, v->bv_len);
      if (attr && attr->isNetworkAddress) {
        AppendNetworkAddress(data.attributes.Text(), value);
      } else {
        data.attributes.Text() += value;
      }
      data.attributes.EndValue();
      if (isClass) {
        if (const auto* c = Class(value)) classes.push_back(c);
        lastClass.assign(value);
      }
      if (attr && attr == aliasedObjectName_ && v == values) data.aliasTargetDn = value;
    }
    ber_memfree(values);
  }
  ber_free(ber, 0);

  if (const auto* cls = info_->Schema().MostSpecificClass(classes)) {
    data.className = cls->ndsName;
    data.isContainer = cls->isContainer;
    data.isAlias = cls->isAlias;
  } else {
    // A class the server's schema does not publish: shown under its own name.
    data.className = lastClass.empty() ? "Top" : lastClass;
  }
  return data;
}

}  // namespace cvx
