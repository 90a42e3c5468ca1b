#include "tools/import/import_connection.h"

#include "TextTrackLookup.h"

bool openImportConnection(const ImportOptions& options, bool autocommit, Connection* connection,
                          std::string* error) {
  std::string host = defaultDatabaseHost();
  connection->setDB(host, options.user, options.password, options.database);
  // Loading rows and building keys may rightly take minutes per statement.
  connection->setStatementTimeout(0);
  if (!connection->init()) {
    const std::string reason = connection->lastError.empty() ? "" : ": " + connection->lastError;
    *error = "cannot connect to database " + options.database + " on " + host + " as " +
             options.user + reason;
    return false;
  }
  st_mysql* handle = connection->getMyHandle();
  // A silent reconnect would drop the open transaction and the autocommit setting with it.
  my_bool reconnect = 0;
  mysql_options(handle, MYSQL_OPT_RECONNECT, &reconnect);
  // The rows are sent as LOAD DATA LOCAL INFILE where the server allows it.
  unsigned int localInfile = 1;
  mysql_options(handle, MYSQL_OPT_LOCAL_INFILE, &localInfile);
  if (mysql_autocommit(handle, autocommit ? 1 : 0) != 0) {
    *error = std::string("database error: ") + mysql_error(handle);
    return false;
  }
  return true;
}
