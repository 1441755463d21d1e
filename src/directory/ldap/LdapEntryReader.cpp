#include "directory/ldap/LdapEntryReader.h"

#include <ldap.h>

#include "core/NetworkAddressText.h"
#include "core/TextUtil.h"

namespace cvx {

LdapEntryReader::LdapEntryReader(std::shared_ptr<const LdapTreeInfo> info)
    : info_(std::move(info)),
      aliasedObjectName_(info_->Schema().FindAttribute("aliasedObjectName")) {}

const AttributeTypeInfo* LdapEntryReader::Attribute(const std::string& spelling) {
  auto [it, added] = attributes_.try_emplace(spelling, nullptr);
  if (added) it->second = info_->Schema().FindAttribute(spelling);
  return it->second;
}

const ObjectClassInfo* LdapEntryReader::Class(const std::string& spelling) {
  auto [it, added] = classes_.try_emplace(spelling, nullptr);
  if (added) it->second = info_->Schema().FindClass(spelling);
  return it->second;
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
  std::optional<std::string> path;
  if (const auto rdns = ParseDn(data.dn)) path = info_->FullPathOf(*rdns, &data.relativeName);
  if (!path) {
    ber_free(ber, 0);
    return std::nullopt;
  }
  data.fullPath = std::move(*path);

  std::vector<const ObjectClassInfo*> classes;
  std::string lastClass;
  berval name{};
  berval* values = nullptr;
  while (ldap_get_attribute_ber(ld, entry, ber, &name, &values) == LDAP_SUCCESS && name.bv_val) {
    std::string type(name.bv_val, name.bv_len);
    // Options ("userCertificate;binary") do not change which field a value belongs to.
    if (const auto semicolon = type.find(';'); semicolon != std::string::npos) {
      type.resize(semicolon);
    }
    std::vector<std::string> texts;
    for (berval* v = values; v && v->bv_val; ++v) texts.emplace_back(v->bv_val, v->bv_len);
    ber_memfree(values);
    values = nullptr;

    if (EqualsNoCase(type, "hasSubordinates")) {
      if (!texts.empty()) data.hasSubordinates = EqualsNoCase(texts.front(), "TRUE");
      continue;
    }
    if (EqualsNoCase(type, "objectClass")) {
      for (const auto& t : texts) {
        if (const auto* c = Class(t)) classes.push_back(c);
        lastClass = t;
      }
    }
    const auto* attr = Attribute(type);
    if (attr && attr == aliasedObjectName_ && !texts.empty()) data.aliasTargetDn = texts.front();
    if (attr && attr->isNetworkAddress) {
      for (auto& t : texts) t = RenderNetworkAddress(t);
    }
    data.attributes.push_back(
        LdapAttributeValues{attr, attr ? std::string() : ToUpperAscii(type), std::move(texts)});
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
