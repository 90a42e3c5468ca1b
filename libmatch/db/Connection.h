// Connection: one client connection to the catalogue database. It owns the MySQL client
// object, handed out borrowed through getMyHandle(), and the fault record its statements
// report to. Not thread-safe: one thread at a time, in the server always the worker.
#ifndef OSTREV_LIBMATCH_DB_CONNECTION_H_
#define OSTREV_LIBMATCH_DB_CONNECTION_H_

#include <string>

#include <mysql.h>

#include "db/CatalogueFault.h"

class Connection {
 public:
  Connection();
  Connection(std::string host, std::string user, std::string password, std::string database);
  ~Connection();

  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Replaces the parameters; an open connection keeps the old ones until the next myConnect.
  void setDB(std::string host, std::string user, std::string password, std::string database);

  // The read and write time-out of every statement, applied by init; 0 for none. Defaults to
  // OSTREV_DB_TIMEOUT seconds (1 to 86400), else 10.
  void setStatementTimeout(unsigned int seconds);

  // Creates the client object, turns on automatic reconnection and the statement time-out,
  // connects and selects UTF-8.
  bool init();
  bool myConnect();
  void myDisconnect();

  // Null until init, and null again when connecting failed.
  st_mysql* getMyHandle();

  // Reports a failure in the manner of perror; nothing when quiet.
  void logIt(const char* message);

  // Prints lastError, when there is one, on standard error as "MySQL: <reason>"; nothing
  // when quiet.
  void logLastError();

  // A quiet connection reports nothing itself: its owner reads lastError.
  void setQuiet(bool quiet) { quiet_ = quiet; }

  st_mysql* handle;
  std::string host;
  std::string user;
  std::string password;
  std::string database;
  bool connected;
  // The client library's own reason why connecting or choosing UTF-8 failed last, taken
  // before the client object is released; "" after a success or without a client object.
  std::string lastError;
  // Lost connections and time-outs of the current request.
  CatalogueFault fault;

 private:
  unsigned int statementTimeout_;
  bool quiet_ = false;
};

#endif  // OSTREV_LIBMATCH_DB_CONNECTION_H_
