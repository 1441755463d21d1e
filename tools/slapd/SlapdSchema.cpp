#include "SlapdSchema.h"

#include <ldap.h>
#include <ldap_schema.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace cvx::test {

namespace {

// What slapd 2.5 defines itself (its subschema without any schema file loaded).
const std::set<std::string> kBuiltIn = {"2.5.4.0",
                                        "2.5.4.1",
                                        "2.5.4.3",
                                        "2.5.4.13",
                                        "2.5.4.34",
                                        "2.5.4.35",
                                        "2.5.4.41",
                                        "2.5.4.49",
                                        "0.9.2342.19200300.100.1.1",
                                        "1.3.6.1.1.1.1.0",
                                        "1.3.6.1.1.1.1.1",
                                        "1.3.6.1.4.1.250.1.57",
                                        "2.5.6.0",
                                        "2.5.6.1",
                                        "2.5.17.0",
                                        "2.5.20.1",
                                        "1.3.6.1.4.1.1466.101.120.111",
                                        "2.16.840.1.113730.3.2.6",
                                        "1.3.6.1.4.1.1466.101.119.2"};

constexpr const char* kTaggedData = "2.16.840.1.113719.1.1.5.1.12";
constexpr const char* kOctetString = "1.3.6.1.4.1.1466.115.121.1.40";

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

struct Statement {
  std::string keyword;
  std::string body;
};

std::vector<Statement> Statements(std::istream& in) {
  std::vector<Statement> out;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if ((line[0] == ' ' || line[0] == '\t') && !out.empty()) {
      const auto start = line.find_first_not_of(" \t");
      if (start != std::string::npos) out.back().body += " " + line.substr(start);
      continue;
    }
    const auto space = line.find_first_of(" \t(");
    Statement s{line.substr(0, space), ""};
    if (space != std::string::npos) {
      const auto start = line.find_first_not_of(" \t", space);
      if (start != std::string::npos) s.body = line.substr(start);
    }
    out.push_back(std::move(s));
  }
  return out;
}

bool HasExtension(LDAPSchemaExtensionItem** items, const char* name) {
  for (auto** p = items; p && *p; ++p) {
    if (std::string((*p)->lsei_name) == name) return true;
  }
  return false;
}

// Adds X-NDS_SYNTAX '12' to a definition's extensions (allocated as the library frees them).
void AddAddressMark(LDAPAttributeType* at) {
  std::size_t n = 0;
  while (at->at_extensions && at->at_extensions[n]) ++n;
  auto** items = static_cast<LDAPSchemaExtensionItem**>(
      ber_memrealloc(at->at_extensions, (n + 2) * sizeof(LDAPSchemaExtensionItem*)));
  auto* item =
      static_cast<LDAPSchemaExtensionItem*>(ber_memcalloc(1, sizeof(LDAPSchemaExtensionItem)));
  item->lsei_name = ber_strdup("X-NDS_SYNTAX");
  item->lsei_values = static_cast<char**>(ber_memcalloc(2, sizeof(char*)));
  item->lsei_values[0] = ber_strdup("12");
  items[n] = item;
  items[n + 1] = nullptr;
  at->at_extensions = items;
}

struct Definition {
  std::string oid;
  std::vector<std::string> names;
  std::vector<std::string> superiors;
  std::string text;  // the statement for slapd; empty when slapd has it built in
};

bool Names(const Definition& d, const std::string& name) {
  if (EqualsIgnoringCase(d.oid, name)) return true;
  return std::any_of(d.names.begin(), d.names.end(),
                     [&](const std::string& n) { return EqualsIgnoringCase(n, name); });
}

std::vector<std::string> ToStrings(char** list) {
  std::vector<std::string> out;
  for (char** p = list; p && *p; ++p) out.emplace_back(*p);
  return out;
}

bool ConvertAttributeType(const std::string& body, Definition& d, std::string& error) {
  int code = 0;
  const char* where = nullptr;
  LDAPAttributeType* at =
      ldap_str2attributetype(body.c_str(), &code, &where, LDAP_SCHEMA_ALLOW_ALL);
  if (!at) {
    error = std::string("attribute type does not parse: ") + ldap_scherr2str(code);
    return false;
  }
  d.oid = at->at_oid;
  d.names = ToStrings(at->at_names);
  if (at->at_sup_oid) d.superiors.push_back(at->at_sup_oid);
  if (!kBuiltIn.count(d.oid)) {
    if (at->at_syntax_oid && std::string(at->at_syntax_oid) == kTaggedData) {
      ber_memfree(at->at_syntax_oid);
      at->at_syntax_oid = ber_strdup(kOctetString);
      if (!HasExtension(at->at_extensions, "X-NDS_SYNTAX")) AddAddressMark(at);
    }
    if (at->at_equality_oid && !at->at_substr_oid) {
      const std::string equality = at->at_equality_oid;
      if (equality == "caseIgnoreMatch") {
        at->at_substr_oid = ber_strdup("caseIgnoreSubstringsMatch");
      }
      if (equality == "caseIgnoreIA5Match") {
        at->at_substr_oid = ber_strdup("caseIgnoreIA5SubstringsMatch");
      }
    }
    char* text = ldap_attributetype2str(at);
    d.text = std::string("attributetype ") + text + "\n";
    ldap_memfree(text);
  }
  ldap_attributetype_free(at);
  return true;
}

bool ConvertObjectClass(const std::string& body, Definition& d, std::string& error) {
  int code = 0;
  const char* where = nullptr;
  LDAPObjectClass* oc = ldap_str2objectclass(body.c_str(), &code, &where, LDAP_SCHEMA_ALLOW_ALL);
  if (!oc) {
    error = std::string("object class does not parse: ") + ldap_scherr2str(code);
    return false;
  }
  d.oid = oc->oc_oid;
  d.names = ToStrings(oc->oc_names);
  d.superiors = ToStrings(oc->oc_sup_oids);
  if (!kBuiltIn.count(d.oid)) d.text = "objectclass " + body + "\n";
  ldap_objectclass_free(oc);
  return true;
}

// Each definition after those of the set it names as superiors.
void EmitInOrder(const std::vector<Definition>& all, std::ostream& out) {
  std::vector<bool> done(all.size(), false);
  auto defined = [&](const std::string& name) {
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (Names(all[i], name)) return static_cast<long>(i);
    }
    return -1L;
  };
  for (bool progress = true; progress;) {
    progress = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (done[i]) continue;
      const bool ready =
          std::all_of(all[i].superiors.begin(), all[i].superiors.end(), [&](const std::string& s) {
            const long at = defined(s);
            return at < 0 || done[static_cast<std::size_t>(at)];
          });
      if (!ready) continue;
      out << all[i].text;
      done[i] = true;
      progress = true;
    }
  }
  // A loop of superiors: written as it stands, for slapd to say what is wrong.
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (!done[i]) out << all[i].text;
  }
}

}  // namespace

std::string ConvertSchemasForSlapd(const std::vector<std::string>& inPaths,
                                   const std::string& outPath) {
  std::vector<Definition> attributeTypes, objectClasses;
  std::ostringstream out;
  for (const auto& path : inPaths) {
    std::ifstream in(path);
    if (!in) return path + ": cannot be read";
    out << "# from " << path << "\n";
    for (const auto& s : Statements(in)) {
      std::string error;
      Definition d;
      if (EqualsIgnoringCase(s.keyword, "attributetype")) {
        if (ConvertAttributeType(s.body, d, error)) attributeTypes.push_back(std::move(d));
      } else if (EqualsIgnoringCase(s.keyword, "objectclass")) {
        if (ConvertObjectClass(s.body, d, error)) objectClasses.push_back(std::move(d));
      } else {
        error = "unknown statement " + s.keyword;
      }
      if (!error.empty()) return path + ": " + error;
    }
  }
  EmitInOrder(attributeTypes, out);
  EmitInOrder(objectClasses, out);
  std::ofstream file(outPath, std::ios::trunc);
  file << out.str();
  return file.flush() ? "" : outPath + ": cannot be written";
}

}  // namespace cvx::test
