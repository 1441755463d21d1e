#include "directory/ldif/TreeLoader.h"

#include <ldap.h>
#include <ldif.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <unordered_map>

#include "core/NetworkAddressText.h"
#include "core/TextUtil.h"
#include "directory/ldif/LdifReferenceCheck.h"
#include "directory/ldif/LdifTypeCheck.h"

namespace cvx {

namespace {

struct LdifFileCloser {
  void operator()(LDIFFP* fp) const { ldif_close(fp); }
};

// The RDN values of a plain DN: types of letters, digits and "-" starting with a letter, values
// of letters, digits, "-", "_" and "." (no escapes, quotes, blanks or multi-valued RDNs). That is
// what the DNs of large trees look like, and what the parser would make of them; anything else is
// left to the parser.
std::optional<std::vector<std::string>> PlainRdnValuesTopDown(std::string_view dn) {
  auto isAlnum = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  };
  std::vector<std::string> values;
  while (true) {
    const auto comma = dn.find(',');
    const std::string_view rdn = dn.substr(0, comma);
    const auto eq = rdn.find('=');
    if (eq == std::string_view::npos || eq == 0 || eq + 1 == rdn.size()) return std::nullopt;
    const char first = rdn[0];
    if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) return std::nullopt;
    for (char c : rdn.substr(0, eq)) {
      if (!isAlnum(c) && c != '-') return std::nullopt;
    }
    const std::string_view value = rdn.substr(eq + 1);
    for (char c : value) {
      if (!isAlnum(c) && c != '-' && c != '_' && c != '.') return std::nullopt;
    }
    values.emplace_back(value);
    if (comma == std::string_view::npos) break;
    dn.remove_prefix(comma + 1);
  }
  std::reverse(values.begin(), values.end());
  return values;
}

// The RDN values of a DN, top down ("cn=A,ou=B,o=C" -> C, B, A). A multi-valued RDN joins its
// values with "+". Nothing for a DN the parser refuses.
std::optional<std::vector<std::string>> RdnValuesTopDown(const std::string& dn) {
  if (auto plain = PlainRdnValuesTopDown(dn)) return plain;
  LDAPDN parsed = nullptr;
  if (ldap_str2dn(dn.c_str(), &parsed, LDAP_DN_FORMAT_LDAPV3) != LDAP_SUCCESS) return std::nullopt;
  std::vector<std::string> values;
  for (int i = 0; parsed && parsed[i]; ++i) {
    std::string value;
    for (int j = 0; parsed[i][j]; ++j) {
      if (j) value += '+';
      value.append(parsed[i][j]->la_value.bv_val, parsed[i][j]->la_value.bv_len);
    }
    values.push_back(std::move(value));
  }
  ldap_dnfree(parsed);
  std::reverse(values.begin(), values.end());
  return values;
}

std::string FullPathOf(const std::string& tree, const std::vector<std::string>& rdns,
                       std::size_t count) {
  std::size_t size = 6 + tree.size();
  for (std::size_t i = 0; i < count; ++i) size += 1 + rdns[i].size();
  std::string path;
  path.reserve(size);
  path.append("NDS:\\\\").append(tree);
  for (std::size_t i = 0; i < count; ++i) path.append(1, '\\').append(rdns[i]);
  return path;
}

class Loader {
 public:
  Loader(const std::string& path, const std::string& tree,
         std::shared_ptr<const SchemaModel> schema, const TreeObjectAdded& added)
      : path_(path), model_(std::make_shared<TreeModel>(tree, std::move(schema))), added_(added) {}

  DirResult<std::shared_ptr<const TreeModel>> Run() {
    if (auto refused = FindRefusedLine(path_)) return Fail(refused->line, refused->what);
    std::unique_ptr<LDIFFP, LdifFileCloser> fp(ldif_open(path_.c_str(), "r"));
    if (!fp) return Fail(0, "cannot be read");
    // Room for the objects of a file of this size (records of large trees take 200 bytes and
    // more), so the name index is not rebuilt again and again while it grows.
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(path_, ec);
    if (!ec) model_->Reserve(static_cast<std::size_t>(bytes / 200));
    if (added_) added_(*model_, 0);  // the tree object
    unsigned long lineNo = 0;
    char* buf = nullptr;
    int bufLen = 0;
    std::optional<DirError> error;
    while (!error) {
      const unsigned long before = lineNo;
      // A record whose only line starts with a digit is taken for an old-style record number and
      // skipped: the reader then reports a record but leaves the buffer as it was (unset, or the
      // previous record). Emptied first, such a record is seen as empty.
      if (buf) buf[0] = '\0';
      const int rc = ldif_read_record(fp.get(), &lineNo, &buf, &bufLen);
      if (rc == 0) break;
      if (rc < 0) {
        error = Fail(before + 1, "unreadable record").dirError();
        break;
      }
      if (!buf || !buf[0]) continue;
      if (auto e = AddRecord(buf, FirstLine(buf, lineNo))) error = std::move(*e);
    }
    ber_memfree(buf);
    if (error) return *error;
    return std::shared_ptr<const TreeModel>(model_);
  }

 private:
  // The reader skips blank and comment lines before a record, so the record's first line is
  // found back from the line count after it and the lines it holds.
  static unsigned long FirstLine(const char* record, unsigned long linesAfter) {
    const auto lines =
        static_cast<unsigned long>(std::count(record, record + std::strlen(record), '\n'));
    return linesAfter >= lines ? linesAfter - lines + 1 : 1;
  }

  DirResult<std::shared_ptr<const TreeModel>> Fail(unsigned long line, const std::string& what) {
    return MakeDirError(kDirLost, path_ + ":" + std::to_string(line) + ": " + what);
  }

  std::optional<DirError> AddRecord(char* text, unsigned long line) {
    if (std::string_view(text).rfind("version:", 0) == 0) return std::nullopt;
    if (auto bare = FindLineWithoutType(text, line)) {
      return Fail(*bare, "a line without an attribute name").dirError();
    }
    if (auto url = FindUrlValue(text, line)) {
      return Fail(*url, "values read from a URL (\":<\") are not allowed in a tree file")
          .dirError();
    }
    struct berval rbuf;
    rbuf.bv_val = text;
    rbuf.bv_len = std::strlen(text);
    LDIFRecord lr{};
    const int rc = ldap_parse_ldif_record(&rbuf, line, &lr, "cvx",
                                          LDIF_DEFAULT_ADD | LDIF_ENTRIES_ONLY | LDIF_NO_CONTROLS);
    if (rc != LDAP_SUCCESS) {
      ldap_ldif_record_done(&lr);
      return Fail(line, "malformed record").dirError();
    }
    auto result = AddEntry(lr, line);
    ldap_ldif_record_done(&lr);
    return result;
  }

  std::optional<DirError> AddEntry(const LDIFRecord& lr, unsigned long line) {
    if (lr.lr_op != LDAP_REQ_ADD) return std::nullopt;  // not an entry: nothing to add
    const std::string dn(lr.lr_dn.bv_val ? lr.lr_dn.bv_val : "", lr.lr_dn.bv_len);
    const auto rdns = RdnValuesTopDown(dn);
    if (!rdns || rdns->empty()) return Fail(line, "malformed DN \"" + dn + "\"").dirError();
    for (const auto& v : *rdns) {
      if (v.find('\\') != std::string::npos || v.empty()) {
        return Fail(line, "name \"" + v + "\" cannot be used in a full name").dirError();
      }
    }
    TreeNode node;
    node.relativeName = model_->Keep(rdns->back());
    node.fullPath = model_->Keep(FullPathOf(model_->Name(), *rdns, rdns->size()));
    // RDN values hold no backslash, so the parent's name ends before the last one.
    const std::string upperPath = ToUpperAscii(node.fullPath);
    // Records mostly follow their siblings: the previous record's parent is looked up once.
    const std::string_view parentPath =
        std::string_view(upperPath).substr(0, upperPath.rfind('\\'));
    if (parentPath != lastParentPath_) {
      lastParentPath_ = parentPath;
      lastParent_ = model_->FindUpper(parentPath);
    }
    node.parent = lastParent_;
    if (node.parent == kNoNode)
      return Fail(line, "the parent of \"" + dn + "\" is missing").dirError();

    values_.clear();

    std::vector<const ObjectClassInfo*> classes;
    for (LDAPMod** m = lr.lrop_mods; m && *m; ++m) {
      const std::string type((*m)->mod_type);
      const bool isObjectClass = EqualsNoCase(type, "objectClass");
      const bool isAliasTarget = EqualsNoCase(type, "aliasedObjectName");
      const auto* attr = Attribute(type);
      const std::string_view unknownType = attr ? std::string_view() : Unknown(type);
      for (struct berval** v = (*m)->mod_bvalues; v && *v; ++v) {
        const std::string_view value((*v)->bv_val ? (*v)->bv_val : "", (*v)->bv_len);
        if (isObjectClass) {
          const auto* c = Class(std::string(value));
          if (!c)
            return Fail(line, "unknown object class \"" + std::string(value) + "\"").dirError();
          classes.push_back(c);
        }
        if (isAliasTarget && v == (*m)->mod_bvalues) {
          const auto target = RdnValuesTopDown(std::string(value));
          if (target && !target->empty()) {
            node.aliasTarget = model_->Keep(FullPathOf(model_->Name(), *target, target->size()));
          }
        }
        const std::string_view text = attr && attr->isNetworkAddress
                                          ? model_->Keep(RenderNetworkAddress(value))
                                          : model_->Keep(value);
        values_.push_back(TreeValue{attr, unknownType, text});
      }
    }
    const auto* cls = model_->Schema().MostSpecificClass(classes);
    if (!cls) return Fail(line, "\"" + dn + "\" has no object class").dirError();
    node.className = cls->ndsName;
    node.isContainer = cls->isContainer;
    node.isAlias = cls->isAlias;
    if (node.isAlias && node.aliasTarget.empty()) {
      return Fail(line, "alias \"" + dn + "\" names no object").dirError();
    }
    const NodeIndex index = model_->Add(std::move(node), upperPath, values_);
    if (index == kNoNode) return Fail(line, "\"" + dn + "\" is there twice").dirError();
    if (added_) added_(*model_, index);
    return std::nullopt;
  }

  // Records spell the same few types and classes over and over: remember each spelling once
  // instead of folding its case for every value.
  const AttributeTypeInfo* Attribute(const std::string& spelling) {
    auto [it, added] = attributes_.try_emplace(spelling, nullptr);
    if (added) it->second = model_->Schema().FindAttribute(spelling);
    return it->second;
  }
  // A type the schema lacks, upper-cased once and kept in the tree.
  std::string_view Unknown(const std::string& spelling) {
    auto [it, added] = unknownTypes_.try_emplace(spelling);
    if (added) it->second = model_->Keep(ToUpperAscii(spelling));
    return it->second;
  }
  const ObjectClassInfo* Class(const std::string& spelling) {
    auto [it, added] = classes_.try_emplace(spelling, nullptr);
    if (added) it->second = model_->Schema().FindClass(spelling);
    return it->second;
  }

  std::string path_;
  std::shared_ptr<TreeModel> model_;
  const TreeObjectAdded& added_;
  std::unordered_map<std::string, const AttributeTypeInfo*> attributes_;
  std::unordered_map<std::string, const ObjectClassInfo*> classes_;
  std::unordered_map<std::string, std::string_view> unknownTypes_;
  std::vector<TreeValue> values_;  // of the record being added, reused
  std::string lastParentPath_;
  NodeIndex lastParent_ = kNoNode;
};

}  // namespace

DirResult<std::shared_ptr<const TreeModel>> LoadTree(const std::string& ldifPath,
                                                     const std::string& treeName,
                                                     std::shared_ptr<const SchemaModel> schema,
                                                     const TreeObjectAdded& added) {
  return Loader(ldifPath, treeName, std::move(schema), added).Run();
}

}  // namespace cvx
