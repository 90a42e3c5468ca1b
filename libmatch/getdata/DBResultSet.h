// DBResultSet: a bounded set of the best-scoring distinct names (or identifiers) seen so
// far, kept in the order they were stored. A plain value owned by whoever made it; copies
// are independent. No locking: one thread per set.
#ifndef OSTREV_LIBMATCH_GETDATA_DBRESULTSET_H_
#define OSTREV_LIBMATCH_GETDATA_DBRESULTSET_H_

#include <string>

struct dbresult_rec {
  std::string name;
  float score = 0;
};

class DBResultSet {
 public:
  static constexpr int kMaxRecords = 100;

  // A limit above 100 ends the process (status 1); a limit of 0 or less stores nothing.
  explicit DBResultSet(int numResultsToStore);
  DBResultSet(const DBResultSet& other) = default;
  DBResultSet& operator=(const DBResultSet& other) = default;

  // Stores `name`, raises its score, or, when the set is full, replaces the first of the
  // lowest-scoring entries if `score` beats it. True when something changed.
  bool add_record(float score, std::string name);

  // Copies the entry holding `name` into `*record`; false when there is none.
  bool get_record(std::string name, dbresult_rec* record) const;

  // Entry `index` (0 <= index < num_records()); any other index ends the process (status 1).
  dbresult_rec operator[](int index) const;

  int num_records() const { return count; }
  void clear() { count = 0; }

  int capacity;
  dbresult_rec records[kMaxRecords];
  int count;
};

#endif  // OSTREV_LIBMATCH_GETDATA_DBRESULTSET_H_
