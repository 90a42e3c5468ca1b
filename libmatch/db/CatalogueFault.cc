#include "db/CatalogueFault.h"

#include <errmsg.h>
#include <mysqld_error.h>

namespace {

// The handle's own store of named pointers: the fault follows the handle through the
// client library's reconnections, and nothing outside the connection holds it.
constexpr const char* kFaultKey = "ostrev.catalogue-fault";

// Errors that say the connection is gone, not that a statement was wrong. A read or write
// time-out comes back as a lost connection.
bool isConnectionError(unsigned int error) {
  switch (error) {
    case CR_CONNECTION_ERROR:
    case CR_CONN_HOST_ERROR:
    case CR_SERVER_GONE_ERROR:
    case CR_SERVER_LOST:
    case CR_SERVER_LOST_EXTENDED:
    case ER_CONNECTION_KILLED:
    case ER_SERVER_SHUTDOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

void CatalogueFault::attach(st_mysql* handle) {
  mysql_optionsv(handle, MARIADB_OPT_USERDATA, kFaultKey, static_cast<void*>(this));
}

CatalogueFault* CatalogueFault::of(st_mysql* handle) {
  if (handle == nullptr) return nullptr;
  void* fault = nullptr;
  if (mysql_get_optionv(handle, MARIADB_OPT_USERDATA, const_cast<char*>(kFaultKey), &fault) != 0) {
    return nullptr;
  }
  return static_cast<CatalogueFault*>(fault);
}

void CatalogueFault::beginRequest() {
  inRequests_ = true;
  occurred_ = false;
  reason_.clear();
}

void CatalogueFault::noteError(st_mysql* handle) {
  if (occurred_ || !isConnectionError(mysql_errno(handle))) return;
  occurred_ = true;
  reason_ = mysql_error(handle);
}

void CatalogueFault::report(std::ostream& log) const {
  log << "catalogue unreachable, request given up: " << reason_ << std::endl;
}

void noteCatalogueError(st_mysql* handle) {
  if (handle == nullptr || !isConnectionError(mysql_errno(handle))) return;
  if (CatalogueFault* fault = CatalogueFault::of(handle)) fault->noteError(handle);
}
