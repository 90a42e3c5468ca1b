// CatalogueFault: whether the catalogue was unreachable (connection lost, refused or timed
// out) during the current request on one connection, and the client library's reason. Owned
// by that Connection and found from its handle; used by the thread that owns the handle.
#ifndef OSTREV_LIBMATCH_DB_CATALOGUEFAULT_H_
#define OSTREV_LIBMATCH_DB_CATALOGUEFAULT_H_

#include <ostream>
#include <string>

#include <mysql.h>

class CatalogueFault {
 public:
  CatalogueFault() = default;
  CatalogueFault(const CatalogueFault&) = delete;
  CatalogueFault& operator=(const CatalogueFault&) = delete;

  // Makes this the fault of `handle`, which then reports to it.
  void attach(st_mysql* handle);
  // The fault `handle` reports to; null for a handle no Connection attached.
  static CatalogueFault* of(st_mysql* handle);

  // Starts a request: forgets the last one's fault. From the first request on, a fault
  // also stops the rest of its request's statements, which would only wait out the same
  // time-out again; the next request's first statement reconnects.
  void beginRequest();

  // Records the error `handle` reports last when it is of the connection class (the
  // first such error of a request is kept).
  void noteError(st_mysql* handle);

  bool occurred() const { return occurred_; }
  const std::string& reason() const { return reason_; }
  // True when statements are not to be sent: a fault within a request.
  bool stopsStatements() const { return inRequests_ && occurred_; }

  // "catalogue unreachable, request given up: <reason>" on one line.
  void report(std::ostream& log) const;

 private:
  bool inRequests_ = false;
  bool occurred_ = false;
  std::string reason_;
};

// Records a failed statement or fetch on `handle` with the fault attached to it, if any.
void noteCatalogueError(st_mysql* handle);

#endif  // OSTREV_LIBMATCH_DB_CATALOGUEFAULT_H_
