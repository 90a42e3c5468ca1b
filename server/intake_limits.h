// The bounds the intake holds every client to: how long a request may take to arrive, how
// long a reply may wait to be read, and how many bytes all clients together may hold in the
// server. Read once from the environment; any thread.
#ifndef OSTREV_SERVER_INTAKE_LIMITS_H_
#define OSTREV_SERVER_INTAKE_LIMITS_H_

#include <cstddef>

// OSTREV_RECV_TIMEOUT seconds (1 to 86400, default 30) in milliseconds: a client gets this
// long from connecting to the end of its request.
long long requestTimeoutMs();

// OSTREV_SEND_TIMEOUT seconds (1 to 86400, default 10) in milliseconds: a client gets this
// long from its reply being ready to having read all of it.
long long replyTimeoutMs();

// OSTREV_PENDING_BYTES (1 MiB to 1 TiB, default 64 MiB): the memory that requests still
// arriving and replies still being written may hold together.
size_t pendingBytesBudget();

#endif  // OSTREV_SERVER_INTAKE_LIMITS_H_
