#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarvel {

// The units of one run. Each is written, as it comes, to a new file beside its target; all are
// made durable at once and only then put in place, in writing order. Until then every older unit
// stays as it was, and a run that fails or is killed leaves no temporary file behind: the new
// files have no name until the commit (past `unnamedLimit` open files, or where the file system
// cannot make a file without a name, they get a hidden one, removed on failure).
// Failures read "Unable to write to <path>: <reason>".
class UnitCommit {
 public:
  UnitCommit();  // the limit is half of what the process may open
  explicit UnitCommit(std::size_t unnamedLimit);
  ~UnitCommit();  // drops whatever was not committed
  UnitCommit(const UnitCommit&) = delete;
  UnitCommit& operator=(const UnitCommit&) = delete;

  // A file that already holds exactly this text is left alone: returns false. Through a link,
  // the file it points to is replaced, keeping its permissions as an older file's are kept.
  bool write(const std::string& path, const std::string& text);

  // Makes every written unit durable with one sync per file system, then renames them into
  // place. A failure in the sync leaves every older file as it was.
  void commit();

 private:
  struct Pending {
    std::string path;       // as given, for messages
    std::string target;     // the file replaced, links followed
    std::string temporary;  // the hidden name, once it has one
    int descriptor;         // open while the file has no name; -1 after
  };

  void createFile(Pending& pending);
  void place(Pending& pending);
  void nameFile(Pending& pending, const std::string& self);
  void drop(Pending& pending);

  std::size_t unnamedLimit_;
  std::size_t unnamedMade_ = 0;
  bool unnamedRefused_ = false;  // the file system makes no file without a name
  std::vector<Pending> pending_;
};

}  // namespace tarvel
