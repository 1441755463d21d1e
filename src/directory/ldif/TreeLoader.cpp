#include "directory/ldif/TreeLoader.h"

#include <ldap.h>
#include <ldif.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <optional>

#include "core/NetworkAddressText.h"
#include "core/TextUtil.h"
#include "directory/ldif/LdifRecords.h"
#include "directory/ldif/LdifReferenceCheck.h"
#include "directory/ldif/LdifTypeCheck.h"
#include "directory/ldif/PlainLdifRecord.h"

namespace cvx {

namespace {

// The RDN values of a plain DN, bottom up: types of letters, digits and "-" starting with a
// letter, values of letters, digits, "-", "_", "." and inner blanks (no escapes, quotes or
// multi-valued RDNs). That is what the DNs of large trees look like, and what the parser would make
// of them; anything else is left to the parser.
bool PlainRdnValues(std::string_view dn, std::vector<std::string_view>& values) {
  auto isAlnum = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  };
  values.clear();
  while (true) {
    const auto comma = dn.find(',');
    const std::string_view rdn = dn.substr(0, comma);
    const auto eq = rdn.find('=');
    if (eq == std::string_view::npos || eq == 0 || eq + 1 == rdn.size()) return false;
    const char first = rdn[0];
    if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) return false;
    for (char c : rdn.substr(0, eq)) {
      if (!isAlnum(c) && c != '-') return false;
    }
    const std::string_view value = rdn.substr(eq + 1);
    for (char c : value) {
      if (!isAlnum(c) && c != '-' && c != '_' && c != '.' && c != ' ') return false;
    }
    if (value.front() == ' ' || value.back() == ' ') return false;
    values.push_back(value);
    if (comma == std::string_view::npos) return true;
    dn.remove_prefix(comma + 1);
  }
}

// The RDN values of a DN, top down ("cn=A,ou=B,o=C" -> C, B, A): views into the DN, or into
// `parsed` for a DN only the parser reads. A multi-valued RDN joins its values with "+". False
// for a DN the parser refuses.
bool RdnValuesTopDown(std::string_view dn, std::vector<std::string_view>& values,
                      std::vector<std::string>& parsed) {
  if (!PlainRdnValues(dn, values)) {
    values.clear();
    parsed.clear();
    LDAPDN dnParts = nullptr;
    if (ldap_str2dn(std::string(dn).c_str(), &dnParts, LDAP_DN_FORMAT_LDAPV3) != LDAP_SUCCESS) {
      return false;
    }
    for (int i = 0; dnParts && dnParts[i]; ++i) {
      std::string value;
      for (int j = 0; dnParts[i][j]; ++j) {
        if (j) value += '+';
        value.append(dnParts[i][j]->la_value.bv_val, dnParts[i][j]->la_value.bv_len);
      }
      parsed.push_back(std::move(value));
    }
    ldap_dnfree(dnParts);
    for (const auto& v : parsed) values.emplace_back(v);
  }
  std::reverse(values.begin(), values.end());
  return true;
}

void FullPathOf(const std::string& tree, const std::vector<std::string_view>& rdns,
                std::string& path) {
  path.assign("NDS:\\\\").append(tree);
  for (const auto& rdn : rdns) path.append(1, '\\').append(rdn);
}

struct FileText {
  std::unique_ptr<char[]> data;  // with room for a line end and a NUL after the text
  std::size_t size = 0;
};

// The whole file in one read: records are then found with memchr instead of line by line.
std::optional<FileText> ReadWholeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<FileText> text;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    const auto size = static_cast<std::size_t>(st.st_size);
    text.emplace();
    // A file larger than memory is a file that cannot be read, not the end of the program.
    text->data.reset(new (std::nothrow) char[size + 2]);
    if (!text->data) text.reset();
    while (text && text->size < size) {
      const ssize_t got = read(fd, text->data.get() + text->size, size - text->size);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        text.reset();
        break;
      }
      if (got == 0) break;  // shorter than it was a moment ago: what is there is read
      text->size += static_cast<std::size_t>(got);
    }
    if (text) text->data[text->size] = '\0';
  }
  close(fd);
  return text;
}

class Loader {
 public:
  Loader(const std::string& path, const std::string& tree,
         std::shared_ptr<const SchemaModel> schema, const TreeObjectAdded& added)
      : path_(path), model_(std::make_shared<TreeModel>(tree, std::move(schema))), added_(added) {}

  DirResult<std::shared_ptr<const TreeModel>> Run() {
    auto text = ReadWholeFile(path_);
    if (!text) return Fail(0, "cannot be read");
    LdifRecords records(text->data.get(), text->size);
    if (const auto& refused = records.Refused()) return Fail(refused->line, refused->what);
    // Room for the objects of a file of this size (records of large trees take 200 bytes and
    // more), so the name index is not rebuilt again and again while it grows.
    model_->Reserve(text->size / 200);
    if (added_) added_(*model_, 0);  // the tree object
    // Values of plain records stay where they are in the text, which the tree keeps.
    model_->HoldText(std::move(text->data));
    for (std::size_t i = 0; i < records.Count(); ++i) {
      const LdifRecordText record = records.Take(i);
      if (!record.size) continue;
      if (auto e = AddRecord(record)) return *e;
    }
    return std::shared_ptr<const TreeModel>(model_);
  }

 private:
  DirResult<std::shared_ptr<const TreeModel>> Fail(unsigned long line, const std::string& what) {
    return MakeDirError(kDirLost, path_ + ":" + std::to_string(line) + ": " + what);
  }

  std::optional<DirError> AddRecord(const LdifRecordText& record) {
    char* text = record.text;
    const unsigned long line = record.firstLine;
    if (std::string_view(text, record.size).rfind("version:", 0) == 0) return std::nullopt;
    if (ReadPlainLdifRecord(text, record.size, plain_)) {
      recordAttributes_.clear();
      for (const auto& a : plain_.attributes) {
        recordAttributes_.push_back(
            {a.type,
             std::span<const std::string_view>(plain_.values).subspan(a.firstValue, a.valueCount)});
      }
      return AddEntry(plain_.dn, line, true);
    }
    if (auto bare = FindLineWithoutType(text, line)) {
      return Fail(*bare, "a line without an attribute name").dirError();
    }
    if (auto url = FindUrlValue(text, line)) {
      return Fail(*url, "values read from a URL (\":<\") are not allowed in a tree file")
          .dirError();
    }
    struct berval rbuf;
    rbuf.bv_val = text;
    rbuf.bv_len = record.size;
    LDIFRecord lr{};
    const int rc = ldap_parse_ldif_record(&rbuf, line, &lr, "cvx",
                                          LDIF_DEFAULT_ADD | LDIF_ENTRIES_ONLY | LDIF_NO_CONTROLS);
    if (rc != LDAP_SUCCESS) {
      ldap_ldif_record_done(&lr);
      return Fail(line, "malformed record").dirError();
    }
    std::optional<DirError> result;
    if (lr.lr_op == LDAP_REQ_ADD) {  // anything else is not an entry: nothing to add
      recordAttributes_.clear();
      parsedValues_.clear();
      for (LDAPMod** m = lr.lrop_mods; m && *m; ++m) {
        for (struct berval** v = (*m)->mod_bvalues; v && *v; ++v) {
          parsedValues_.emplace_back((*v)->bv_val ? (*v)->bv_val : "", (*v)->bv_len);
        }
      }
      std::size_t next = 0;
      for (LDAPMod** m = lr.lrop_mods; m && *m; ++m) {
        std::size_t count = 0;
        for (struct berval** v = (*m)->mod_bvalues; v && *v; ++v) ++count;
        recordAttributes_.push_back(
            {(*m)->mod_type,
             std::span<const std::string_view>(parsedValues_).subspan(next, count)});
        next += count;
      }
      result = AddEntry(std::string_view(lr.lr_dn.bv_val ? lr.lr_dn.bv_val : "", lr.lr_dn.bv_len),
                        line, false);
    }
    ldap_ldif_record_done(&lr);
    return result;
  }

  // The entry of one record; its values stay where they are when `valuesStay`, else they are
  // copied into the tree.
  std::optional<DirError> AddEntry(std::string_view dn, unsigned long line, bool valuesStay) {
    if (!RdnValuesTopDown(dn, rdns_, parsedRdns_) || rdns_.empty()) {
      return Fail(line, "malformed DN \"" + std::string(dn) + "\"").dirError();
    }
    for (const auto& v : rdns_) {
      if (v.find('\\') != std::string_view::npos || v.empty()) {
        return Fail(line, "name \"" + std::string(v) + "\" cannot be used in a full name")
            .dirError();
      }
    }
    TreeNode node;
    FullPathOf(model_->Name(), rdns_, fullPath_);
    node.fullPath = model_->Keep(fullPath_);
    // The relative name is the end of the full name.
    node.relativeName = node.fullPath.substr(node.fullPath.size() - rdns_.back().size());
    ToUpperAsciiInto(fullPath_, upperPath_);
    // RDN values hold no backslash, so the parent's name ends before the last one.
    const std::string_view parentPath =
        std::string_view(upperPath_).substr(0, upperPath_.rfind('\\'));
    // Records mostly follow their siblings: the previous record's parent is looked up once.
    if (parentPath != lastParentPath_) {
      lastParentPath_ = parentPath;
      lastParent_ = model_->FindUpper(parentPath);
    }
    node.parent = lastParent_;
    if (node.parent == kNoNode) {
      return Fail(line, "the parent of \"" + std::string(dn) + "\" is missing").dirError();
    }
    values_.clear();

    recordClasses_.clear();
    for (const auto& attribute : recordAttributes_) {
      const std::string_view type = attribute.type;
      const bool isObjectClass = EqualsNoCase(type, "objectClass");
      const bool isAliasTarget = EqualsNoCase(type, "aliasedObjectName");
      const auto* attr = Attribute(type);
      const std::string_view unknownType = attr ? std::string_view() : Unknown(type);
      for (std::size_t k = 0; k < attribute.values.size(); ++k) {
        const std::string_view value = attribute.values[k];
        if (isObjectClass) {
          const auto* c = Class(value);
          if (!c)
            return Fail(line, "unknown object class \"" + std::string(value) + "\"").dirError();
          recordClasses_.push_back(c);
        }
        if (isAliasTarget && k == 0) {
          if (RdnValuesTopDown(value, rdns_, parsedRdns_) && !rdns_.empty()) {
            FullPathOf(model_->Name(), rdns_, fullPath_);
            node.aliasTarget = model_->Keep(fullPath_);
          }
        }
        const std::string_view text = attr && attr->isNetworkAddress
                                          ? model_->Keep(RenderNetworkAddress(value))
                                      : valuesStay ? value
                                                   : model_->Keep(value);
        values_.push_back(TreeValue{attr, unknownType, text});
      }
    }
    const auto* cls = model_->Schema().MostSpecificClass(recordClasses_);
    if (!cls) return Fail(line, "\"" + std::string(dn) + "\" has no object class").dirError();
    node.className = cls->ndsName;
    node.isContainer = cls->isContainer;
    node.isAlias = cls->isAlias;
    if (node.isAlias && node.aliasTarget.empty()) {
      return Fail(line, "alias \"" + std::string(dn) + "\" names no object").dirError();
    }
    const NodeIndex index = model_->Add(std::move(node), upperPath_, values_);
    if (index == kNoNode)
      return Fail(line, "\"" + std::string(dn) + "\" is there twice").dirError();
    if (added_) added_(*model_, index);
    return std::nullopt;
  }

  // Records spell the same few types and classes over and over: remember each spelling once
  // instead of folding its case for every value.
  const AttributeTypeInfo* Attribute(std::string_view spelling) {
    auto it = attributes_.find(spelling);
    if (it == attributes_.end()) {
      it = attributes_.emplace(spelling, model_->Schema().FindAttribute(spelling)).first;
    }
    return it->second;
  }
  // A type the schema lacks, upper-cased once and kept in the tree.
  std::string_view Unknown(std::string_view spelling) {
    auto it = unknownTypes_.find(spelling);
    if (it == unknownTypes_.end()) {
      it = unknownTypes_.emplace(spelling, model_->Keep(ToUpperAscii(spelling))).first;
    }
    return it->second;
  }
  const ObjectClassInfo* Class(std::string_view spelling) {
    auto it = classes_.find(spelling);
    if (it == classes_.end()) {
      it = classes_.emplace(spelling, model_->Schema().FindClass(spelling)).first;
    }
    return it->second;
  }

  // One record's attributes, from either reader; the values are views into the record.
  struct RecordAttribute {
    std::string_view type;
    std::span<const std::string_view> values;
  };

  std::string path_;
  std::shared_ptr<TreeModel> model_;
  const TreeObjectAdded& added_;
  BySpelling<const AttributeTypeInfo*> attributes_;
  BySpelling<const ObjectClassInfo*> classes_;
  BySpelling<std::string_view> unknownTypes_;
  PlainLdifRecord plain_;
  std::vector<RecordAttribute> recordAttributes_;
  std::vector<std::string_view> parsedValues_;
  std::vector<const ObjectClassInfo*> recordClasses_;
  std::vector<TreeValue> values_;       // of the record being added, reused
  std::vector<std::string_view> rdns_;  // of the DN being read, top down
  std::vector<std::string> parsedRdns_;
  std::string fullPath_;
  std::string upperPath_;
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
