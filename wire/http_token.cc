#include "wire/http_token.h"

#include <cstdlib>
#include <fstream>

bool readHttpToken(std::string* token, std::string* error) {
  token->clear();
  const char* file = getenv("OSTREV_HTTP_TOKEN_FILE");
  if (file == nullptr || file[0] == '\0') return true;
  std::ifstream in(file);
  if (!in || !std::getline(in, *token) || token->empty()) {
    token->clear();
    *error = std::string("cannot read a token from OSTREV_HTTP_TOKEN_FILE ") + file;
    return false;
  }
  return true;
}
