// Connection: one client connection to the catalogue database. It owns the MySQL client
// object and hands it out borrowed through getMyHandle(). Not thread-safe: one thread at a
// time, in the server always the worker.
#ifndef OSTREV_LIBMATCH_DB_CONNECTION_H_
#define OSTREV_LIBMATCH_DB_CONNECTION_H_

#include <string>

#include <mysql.h>

class Connection {
 public:
  Connection();
  Connection(std::string host, std::string user, std::string password, std::string database);
  ~Connection();

  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Replaces the parameters; an open connection keeps the old ones until the next myConnect.
  void setDB(std::string host, std::string user, std::string password, std::string database);

  // Creates the client object, turns on automatic reconnection, connects and selects UTF-8.
  bool init();
  bool myConnect();
  void myDisconnect();

  // Null until init, and null again when connecting failed.
  st_mysql* getMyHandle();

  // Reports a failure in the manner of perror.
  void logIt(const char* message);

  // Prints lastError, when there is one, on standard error as "MySQL: <reason>".
  void logLastError();

  st_mysql* handle;
  std::string host;
  std::string user;
  std::string password;
  std::string database;
  bool connected;
  // The client library's own reason why connecting or choosing UTF-8 failed last, taken
  // before the client object is released; "" after a success or without a client object.
  std::string lastError;
};

#endif  // OSTREV_LIBMATCH_DB_CONNECTION_H_
