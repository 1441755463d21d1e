#include "directory/ldif/TreeLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
#include <optional>

#include "core/NetworkAddressText.h"
#include "core/TextUtil.h"
#include "directory/ldif/LdifRecordEntry.h"
#include "directory/ldif/LdifRecords.h"

namespace cvx {

namespace {

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
         std::shared_ptr<const SchemaModel> schema)
      : path_(path), model_(std::make_shared<TreeModel>(tree, std::move(schema))) {}

  DirResult<std::shared_ptr<const TreeModel>> Run() {
    auto text = ReadWholeFile(path_);
    if (!text) return Fail(0, "cannot be read");
    LdifRecords records(text->data.get(), text->size);
    if (const auto& refused = records.Refused()) return Fail(refused->line, refused->what);
    // Room for the objects of a file of this size (records of large trees take 200 bytes and
    // more), so the name index is not rebuilt again and again while it grows.
    model_->Reserve(text->size / 200);
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
    if (auto bad = entry_.Read(record.text, record.size, record.firstLine)) {
      return Fail(bad->line, bad->what).dirError();
    }
    if (!entry_.IsEntry()) return std::nullopt;
    return AddEntry(entry_.Dn(), record, entry_.ValuesInText());
  }

  // The entry of one record; its values stay where they are when `valuesStay`, else they are
  // copied into the tree.
  std::optional<DirError> AddEntry(std::string_view dn, const LdifRecordText& record,
                                   bool valuesStay) {
    const unsigned long line = record.firstLine;
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
    // The full name spells the parents as they spell themselves, whatever the case in this DN.
    fullPath_.assign(model_->Node(node.parent).fullPath).append(1, '\\').append(rdns_.back());
    node.fullPath = model_->Keep(fullPath_);
    // The relative name is the end of the full name.
    node.relativeName = node.fullPath.substr(node.fullPath.size() - rdns_.back().size());
    values_.clear();

    recordClasses_.clear();
    for (const auto& attribute : entry_.Attributes()) {
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
    node.recordOffset = record.offset;
    // A record the index could not place: the index refuses such a tree.
    node.recordSize =
        record.extent > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(record.extent);
    if (!node.isAlias) node.aliasTarget = {};  // only an alias names another object
    if (node.isAlias && node.aliasTarget.empty()) {
      return Fail(line, "alias \"" + std::string(dn) + "\" names no object").dirError();
    }
    const NodeIndex index = model_->Add(std::move(node), upperPath_, values_);
    if (index == kNoNode)
      return Fail(line, "\"" + std::string(dn) + "\" is there twice").dirError();
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

  std::string path_;
  std::shared_ptr<TreeModel> model_;
  BySpelling<const AttributeTypeInfo*> attributes_;
  BySpelling<const ObjectClassInfo*> classes_;
  BySpelling<std::string_view> unknownTypes_;
  LdifRecordEntry entry_;
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
                                                     std::shared_ptr<const SchemaModel> schema) {
  return Loader(ldifPath, treeName, std::move(schema)).Run();
}

}  // namespace cvx
