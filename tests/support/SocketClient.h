// A raw client of the lookup socket for the tests: sends chosen bytes, in pieces if asked,
// and collects whatever comes back. Single-threaded use.
#ifndef OSTREV_TESTS_SUPPORT_SOCKETCLIENT_H_
#define OSTREV_TESTS_SUPPORT_SOCKETCLIENT_H_

#include <string>
#include <vector>

// A 1020-byte fixed-form request.
std::string fixedRequest(const std::string& name, const std::string& artist = "",
                         const std::string& album = "", const std::string& track = "",
                         const std::string& isrc = "", const std::string& upc = "");

// A variable-length request whose header announces `announced` (six bytes standing in for
// the length digits), or the real total length when `announced` is empty.
std::string variableRequest(const std::string& text, const std::string& announced = "");

// Connects (retrying until the server listens, at most `timeoutSeconds`); -1 on failure.
int connectToServer(const std::string& path, int timeoutSeconds = 10);

struct Exchange {
  bool connected = false;
  std::string answer;  // everything received until the server closed
  bool closedByServer = false;
};

// Sends `pieces` one after another (pausing briefly between them), optionally closes the
// sending side, then reads until the server closes or `timeoutSeconds` pass.
Exchange sendRequest(const std::string& path, const std::vector<std::string>& pieces,
                  bool halfClose = false, int timeoutSeconds = 10);

#endif  // OSTREV_TESTS_SUPPORT_SOCKETCLIENT_H_
