#include "directory/SchemaFileReader.h"

#include <ldap.h>
#include <ldap_schema.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "core/TextUtil.h"

namespace cvx {

namespace {

std::vector<std::string> ToStrings(char** list) {
  std::vector<std::string> out;
  for (char** p = list; p && *p; ++p) out.emplace_back(*p);
  return out;
}

std::string Extension(LDAPSchemaExtensionItem** items, std::string_view name) {
  for (auto** p = items; p && *p; ++p) {
    if (EqualsNoCase((*p)->lsei_name, name) && (*p)->lsei_values && (*p)->lsei_values[0]) {
      return (*p)->lsei_values[0];
    }
  }
  return {};
}

std::vector<std::string> ExtensionValues(LDAPSchemaExtensionItem** items, std::string_view name) {
  for (auto** p = items; p && *p; ++p) {
    if (EqualsNoCase((*p)->lsei_name, name)) return ToStrings((*p)->lsei_values);
  }
  return {};
}

// The parser's error position may point past the end of the definition: quote it only when it
// lies inside.
std::string SchemaError(const std::string& origin, int line, int code, std::string_view body,
                        const char* where) {
  std::ostringstream os;
  os << origin << ":" << line << ": " << ldap_scherr2str(code);
  if (where && where >= body.data() && where < body.data() + body.size()) {
    os << " near \"" << body.substr(static_cast<std::size_t>(where - body.data()), 40) << "\"";
  }
  return os.str();
}

// The parser reads on past the end of a definition that breaks off inside a length
// ("SYNTAX 1.3{"), and what lies there decides whether it accepts it; followed by NUL bytes the
// definition is refused every time.
constexpr std::size_t kParserSlack = 16;

std::string ParserText(const std::string& body) {
  return body + std::string(kParserSlack, '\0');
}

struct Statement {
  std::string keyword;
  std::string body;
  int line = 0;
};

bool ParseAttributeType(const Statement& s, const std::string& origin, SchemaDefinitions& out,
                        std::string& error) {
  const std::string text = ParserText(s.body);
  int code = 0;
  const char* where = nullptr;
  std::unique_ptr<LDAPAttributeType, decltype(&ldap_attributetype_free)> at(
      ldap_str2attributetype(text.c_str(), &code, &where, LDAP_SCHEMA_ALLOW_ALL),
      &ldap_attributetype_free);
  if (!at) {
    error =
        SchemaError(origin, s.line, code, std::string_view(text).substr(0, s.body.size()), where);
    return false;
  }
  AttributeTypeDefinition d;
  d.oid = at->at_oid ? at->at_oid : "";
  d.names = ToStrings(at->at_names);
  if (d.names.empty()) d.names.push_back(d.oid);
  d.supName = at->at_sup_oid ? at->at_sup_oid : "";
  d.syntaxOid = at->at_syntax_oid ? at->at_syntax_oid : "";
  d.ndsName = Extension(at->at_extensions, "X-NDS_NAME");
  d.ndsSyntax = Extension(at->at_extensions, "X-NDS_SYNTAX");
  out.attributeTypes.push_back(std::move(d));
  return true;
}

bool ParseObjectClass(const Statement& s, const std::string& origin, SchemaDefinitions& out,
                      std::string& error) {
  const std::string text = ParserText(s.body);
  int code = 0;
  const char* where = nullptr;
  std::unique_ptr<LDAPObjectClass, decltype(&ldap_objectclass_free)> oc(
      ldap_str2objectclass(text.c_str(), &code, &where, LDAP_SCHEMA_ALLOW_ALL),
      &ldap_objectclass_free);
  if (!oc) {
    error =
        SchemaError(origin, s.line, code, std::string_view(text).substr(0, s.body.size()), where);
    return false;
  }
  ObjectClassDefinition d;
  d.oid = oc->oc_oid ? oc->oc_oid : "";
  d.names = ToStrings(oc->oc_names);
  if (d.names.empty()) d.names.push_back(d.oid);
  d.supNames = ToStrings(oc->oc_sup_oids);
  d.kind = oc->oc_kind == LDAP_SCHEMA_ABSTRACT    ? ClassKind::kAbstract
           : oc->oc_kind == LDAP_SCHEMA_AUXILIARY ? ClassKind::kAuxiliary
                                                  : ClassKind::kStructural;
  d.must = ToStrings(oc->oc_at_oids_must);
  d.may = ToStrings(oc->oc_at_oids_may);
  d.ndsName = Extension(oc->oc_extensions, "X-NDS_NAME");
  d.containerMark = Extension(oc->oc_extensions, "X-NDS_CONTAINER") == "1";
  d.naming = ExtensionValues(oc->oc_extensions, "X-NDS_NAMING");
  out.objectClasses.push_back(std::move(d));
  return true;
}

}  // namespace

DirResult<SchemaDefinitions> ParseSchemaText(const std::string& text, const std::string& origin) {
  // Gather statements: a keyword line plus its indented continuation lines.
  std::vector<Statement> statements;
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == ' ' || line[0] == '\t') {
      // A continuation holding only blanks and tabs adds nothing.
      const auto textStart = line.find_first_not_of(" \t");
      if (textStart == std::string::npos) continue;
      if (statements.empty()) {
        return MakeDirError(kDirClientMissing, origin + ":" + std::to_string(lineNo) +
                                                   ": continuation line outside a definition");
      }
      auto& body = statements.back().body;
      const auto text = line.substr(textStart);
      body += body.empty() ? text : " " + text;
      continue;
    }
    const auto space = line.find_first_of(" \t(");
    Statement s;
    s.keyword = line.substr(0, space);
    // The library's parser wants the definition to start at its opening parenthesis.
    const auto bodyStart =
        line.find_first_not_of(" \t", space == std::string::npos ? line.size() : space);
    s.body = bodyStart == std::string::npos ? "" : line.substr(bodyStart);
    s.line = lineNo;
    statements.push_back(std::move(s));
  }

  SchemaDefinitions defs;
  for (const auto& s : statements) {
    std::string error;
    bool ok = false;
    if (EqualsNoCase(s.keyword, "attributetype") || EqualsNoCase(s.keyword, "attributetypes:")) {
      ok = ParseAttributeType(s, origin, defs, error);
    } else if (EqualsNoCase(s.keyword, "objectclass") ||
               EqualsNoCase(s.keyword, "objectclasses:")) {
      ok = ParseObjectClass(s, origin, defs, error);
    } else {
      error = origin + ":" + std::to_string(s.line) + ": unknown statement \"" + s.keyword + "\"";
    }
    if (!ok) return MakeDirError(kDirClientMissing, error);
  }
  return defs;
}

DirResult<SchemaDefinitions> ReadSchemaFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return MakeDirError(kDirClientMissing, path + ": cannot be read");
  std::ostringstream text;
  text << f.rdbuf();
  return ParseSchemaText(text.str(), path);
}

}  // namespace cvx
