#pragma once

#include <memory>
#include <string>
#include <vector>

#include "directory/DirectoryControl.h"
#include "directory/ldap/LdapQueries.h"
#include "directory/ldap/LdapTree.h"

namespace cvx {

class LdapDirectory;

// A directory control over live trees. Look-ups and enumerations ask the server and wait for it,
// never longer than the timeout; searches run on the directory's threads and complete through
// the event loop.
class LdapControl : public DirectoryControl {
  Q_OBJECT

 public:
  explicit LdapControl(std::shared_ptr<LdapDirectory> directory);
  ~LdapControl() override;  // cancels its searches; no completion follows

  void SetClassFilter(const std::string& classes) override;
  std::string ClassFilter() const override { return filterText_; }
  std::string ContextPath() const override;
  void SetContextPath(const std::string& fullName) override { context_ = fullName; }
  std::string TreeNameOf(const std::string& fullName) const override;
  std::string JoinTreePath(const std::string& treeName, const std::string& path) const override;
  DirResult<EntryPtr> ContextEntry() const override;
  DirResult<EntryList> ContextEntries() const override;
  DirResult<EntryPtr> FindEntry(const std::string& fullName) const override;
  // Without an entry object of its own: a database build reads the hits of its search here.
  DirResult<std::size_t> ReadField(const std::string& fullName, const std::string& fieldName,
                                   std::vector<std::string>& values) const override;
  void StartSearch(const std::string& pattern, const std::string& classes, int scope,
                   const std::string& context) override;
  void SetSearchFields(const std::vector<std::string>& fields) override { searchFields_ = fields; }
  DirResult<LayoutCollection> SchemaLayouts() const override;
  DirResult<FieldTypeCollection> FieldTypes() const override;

 private:
  struct SearchJob;
  using Found = DirResult<std::shared_ptr<LdapSearchHits>>;

  DirResult<std::shared_ptr<LdapTree>> TreeOf(const std::string& fullName) const;
  struct Located {
    std::shared_ptr<LdapTree> tree;
    std::shared_ptr<const LdapTreeInfo> info;
    LdapEntryDataPtr data;
  };
  DirResult<Located> Locate(const std::string& fullName) const;
  DirResult<std::shared_ptr<const SchemaModel>> ContextSchema() const;
  void Complete(const std::shared_ptr<SearchJob>& job, const std::shared_ptr<LdapTree>& tree,
                Found found);
  void Progress(const std::shared_ptr<SearchJob>& job, const std::shared_ptr<LdapTree>& tree,
                const std::shared_ptr<LdapSearchHits>& hits, bool restarted);
  // Lets go of the last search's entries, off the window's thread.
  void DropDelivered();

  std::shared_ptr<LdapDirectory> directory_;
  std::string filterText_;
  LdapClassFilter filter_;
  std::string context_;
  std::vector<std::string> searchFields_;
  std::vector<std::shared_ptr<SearchJob>> jobs_;
  // The last search's entries, answering look-ups of its hits until this control searches
  // again or they are no longer fresh (see LdapTree::Delivery).
  std::unique_ptr<LdapTree::Delivery> delivered_;
  // Of the latest search while it runs: its entries are delivered already (answering look-ups
  // of the names told), and how many names SearchProgress told.
  bool partial_ = false;
  std::size_t told_ = 0;
};

}  // namespace cvx
