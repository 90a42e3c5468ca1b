#include "db/Connection.h"

#include <cstdio>
#include <utility>

#include "base/EnvironmentNumber.h"

namespace {

// A statement blocked on a lock, or a database that stopped answering, would otherwise
// hold its request for ever.
unsigned int statementTimeoutSeconds() {
  static const unsigned int seconds =
      static_cast<unsigned int>(environmentNumber("OSTREV_DB_TIMEOUT", 1, 86400, 10));
  return seconds;
}

}  // namespace

Connection::Connection()
    : handle(nullptr), connected(false), statementTimeout_(statementTimeoutSeconds()) {}

Connection::Connection(std::string host, std::string user, std::string password,
                       std::string database)
    : handle(nullptr),
      host(std::move(host)),
      user(std::move(user)),
      password(std::move(password)),
      database(std::move(database)),
      connected(false),
      statementTimeout_(statementTimeoutSeconds()) {}

Connection::~Connection() {
  if (connected) myDisconnect();
}

void Connection::setDB(std::string host, std::string user, std::string password,
                       std::string database) {
  this->host = std::move(host);
  this->user = std::move(user);
  this->password = std::move(password);
  this->database = std::move(database);
}

void Connection::setStatementTimeout(unsigned int seconds) { statementTimeout_ = seconds; }

bool Connection::init() {
  handle = mysql_init(handle);
  if (handle == nullptr) {
    logIt("Failed to initialize MYSQL object");
    return false;
  }
  fault.attach(handle);
  // The client library reconnects at the next statement after a lost connection; the
  // session's character set and the fault record carry over.
  my_bool reconnect = 1;
  mysql_options(handle, MYSQL_OPT_RECONNECT, &reconnect);
  if (statementTimeout_ > 0) {
    mysql_options(handle, MYSQL_OPT_READ_TIMEOUT, &statementTimeout_);
    mysql_options(handle, MYSQL_OPT_WRITE_TIMEOUT, &statementTimeout_);
  }
  if (!myConnect()) {
    logIt("Failed to establish connection to DB");
    return false;
  }
  // utf8mb4 rather than the three-byte "utf8": names outside the Basic Multilingual Plane
  // would otherwise come back as '?' and queries holding them would be mangled.
  if (mysql_set_character_set(handle, "utf8mb4") != 0) {
    lastError = mysql_error(handle);
    logIt("Failed to set UTF8 charset");
    return false;
  }
  return true;
}

bool Connection::myConnect() {
  if (connected) return true;
  MYSQL* opened = nullptr;
  if (handle != nullptr) {
    opened = mysql_real_connect(handle, host.c_str(), user.c_str(), password.c_str(),
                                database.c_str(), 0, nullptr, 0);
  }
  if (opened != nullptr) {
    handle = opened;
    connected = true;
    lastError.clear();
  } else {
    lastError = handle != nullptr ? mysql_error(handle) : "";
    // The client object is of no further use; release it instead of dropping the reference.
    // Without one (never initialised, or released by an earlier failure) there is nothing
    // to connect with.
    if (handle != nullptr) mysql_close(handle);
    handle = nullptr;
    logIt("Failed to establish connection to DB");
    connected = false;
  }
  return connected;
}

void Connection::myDisconnect() {
  mysql_close(handle);
  handle = nullptr;  // closed: nothing may use it, so nobody can
  connected = false;
}

st_mysql* Connection::getMyHandle() { return handle; }

void Connection::logIt(const char* message) {
  if (!quiet_) perror(message);
}

void Connection::logLastError() {
  if (!quiet_ && !lastError.empty()) fprintf(stderr, "MySQL: %s\n", lastError.c_str());
}
