#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "directory/DirEntry.h"
#include "directory/SchemaCollections.h"

namespace cvx {

using SearchResults = std::vector<std::string>;  // full names, in directory order
// What a search completes with: the names found, or why it failed (601 for a context that is not
// there, 600 for a lost connection or a tree that cannot be read), so that a failed search is
// never mistaken for one that found nothing.
using SearchOutcome = DirResult<SearchResults>;

// Search scopes of StartSearch.
enum SearchScope : int { kScopeContainerOnly = 1, kScopeSubtree = 2 };

// One directory control instance: a current context, a class filter for enumerations, look-ups,
// searches and the schema. Several instances work side by side, each with its own state.
class DirectoryControl : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  ~DirectoryControl() override = default;

  // Comma-separated NDS class names; enumerations (ContextEntries, SubEntries) return only these.
  // Empty: every class.
  virtual void SetClassFilter(const std::string& classes) = 0;
  virtual std::string ClassFilter() const = 0;

  // The current context, a full name. Without one set: the root of the client's default tree.
  virtual std::string ContextPath() const = 0;
  virtual void SetContextPath(const std::string& fullName) = 0;

  // The tree a full name belongs to, spelled as the directory spells it when it knows the tree.
  virtual std::string TreeNameOf(const std::string& fullName) const = 0;
  // JoinTreePath(tree, "") is the full name of the tree root; a relative path is appended.
  virtual std::string JoinTreePath(const std::string& treeName, const std::string& path) const = 0;

  virtual DirResult<EntryPtr> ContextEntry() const = 0;
  virtual DirResult<EntryList> ContextEntries() const = 0;
  // The object with this full name (600: lost, 601: not there). An alias gives its object.
  virtual DirResult<EntryPtr> FindEntry(const std::string& fullName) const = 0;
  // The values of one field of the object with this full name, as GetFieldValue of FindEntry's
  // entry gives them, in `values`, whose strings are used again: a database build reads one
  // field of 100,000 objects. Gives how many there are, or the error of either step.
  virtual DirResult<std::size_t> ReadField(const std::string& fullName,
                                           const std::string& fieldName,
                                           std::vector<std::string>& values) const {
    auto entry = FindEntry(fullName);
    if (!entry) return entry.dirError();
    auto read = (*entry)->GetFieldValue(fieldName);
    if (!read) return read.dirError();
    values = std::move(read).value();
    return values.size();
  }

  // Searches for objects whose relative name matches pattern ("*" wildcards, any letter case)
  // and whose class is in the comma-separated class list, in context (kScopeContainerOnly) or in
  // context and every container below it (kScopeSubtree). Returns at once; SearchCompleted
  // follows through the event loop, never from inside this call.
  virtual void StartSearch(const std::string& pattern, const std::string& classes, int scope,
                           const std::string& context) = 0;
  // The fields whoever handles this control's search completions reads of the hits, so that a
  // server need send only those: a database build reads one field of 100,000 objects. Any other
  // field is still read when asked for, at the cost of a look-up. Empty, as at first: all.
  virtual void SetSearchFields(const std::vector<std::string>& fields) { (void)fields; }

  virtual DirResult<LayoutCollection> SchemaLayouts() const = 0;
  virtual DirResult<FieldTypeCollection> FieldTypes() const = 0;

 signals:
  void SearchCompleted(const cvx::SearchOutcome& outcome);
  // Hits of the search still running, in order, each once, for whoever would start on them
  // before SearchCompleted (which still gives every name). SearchRestarted voids all given so
  // far: the search starts over. Only some directories tell, and only of a control's latest
  // search.
  void SearchProgress(const cvx::SearchResults& more);
  void SearchRestarted();
};

}  // namespace cvx
