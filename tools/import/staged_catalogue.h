// StagedCatalogue: empty copies of every catalogue table ("<table>__import") that a bulk
// import fills without their plain secondary keys, since building a key once from sorted
// rows is far cheaper than keeping it up row by row. The keys are added back, then the
// copies take the tables' place in one rename. Until then the destructor drops them, so a
// failed import leaves the catalogue as it was. Borrows the handle; the thread owning it.
#ifndef OSTREV_TOOLS_IMPORT_STAGED_CATALOGUE_H_
#define OSTREV_TOOLS_IMPORT_STAGED_CATALOGUE_H_

#include <map>
#include <string>

#include <mysql.h>

class StagedCatalogue {
 public:
  explicit StagedCatalogue(st_mysql* handle) : handle_(handle) {}
  ~StagedCatalogue();

  StagedCatalogue(const StagedCatalogue&) = delete;
  StagedCatalogue& operator=(const StagedCatalogue&) = delete;

  // The copy of `table`.
  static std::string copyOf(const std::string& table);

  // Drops the copies an interrupted import left behind, then makes new ones and takes
  // their plain keys off. False with `error` set on a database error.
  bool create(std::string* error);

  // The statement that gives the copy of `table` its keys back; "" when it had none.
  std::string restoreKeys(const std::string& table) const;

  // Puts the copies in the tables' place and drops the tables.
  bool swap(std::string* error);

 private:
  bool run(const std::string& statement, std::string* error);
  // The plain keys of `table`'s copy, as ADD clauses, into addKeys_; their DROP clauses.
  bool readPlainKeys(const std::string& table, std::string* dropKeys, std::string* error);
  void dropCopies();

  st_mysql* handle_;
  bool created_ = false;
  std::map<std::string, std::string> addKeys_;  // by table: "add KEY `a` (`x`), ..."
};

#endif  // OSTREV_TOOLS_IMPORT_STAGED_CATALOGUE_H_
