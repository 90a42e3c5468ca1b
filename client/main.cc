// ostrevc: the query client.
#include <cstdio>

int main() {
  fputs("Usage: ostrevc socket_name song_description_file\n", stderr);
  return 1;
}
