// Opens a connection of the importer to the catalogue database its options name, set up
// as every connection of an import must be. Any thread, each on a Connection of its own.
#ifndef OSTREV_TOOLS_IMPORT_IMPORT_CONNECTION_H_
#define OSTREV_TOOLS_IMPORT_IMPORT_CONNECTION_H_

#include <string>

#include "db/Connection.h"
#include "tools/import/command_line.h"

// Connects `connection` (constructed empty) as `options` say. With `autocommit` off,
// nothing is stored until the caller commits. False with `error` set to the message for
// the user.
bool openImportConnection(const ImportOptions& options, bool autocommit, Connection* connection,
                          std::string* error);

#endif  // OSTREV_TOOLS_IMPORT_IMPORT_CONNECTION_H_
