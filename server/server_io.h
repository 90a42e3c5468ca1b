// The system calls of the server's intake and stop, and nothing else: the listening
// socket, accepting without blocking, peer credentials, reading what has arrived, writing
// what the peer has room for, waiting on many descriptors, and the descriptors that turn
// signals and stop requests into readable events. Failures come back as false or -1 with
// errno set. Any thread.
#ifndef OSTREV_SERVER_SERVER_IO_H_
#define OSTREV_SERVER_SERVER_IO_H_

#include <poll.h>
#include <sys/types.h>

#include <cstddef>

#include "wire/socket_io.h"

// True when a server accepts connections on `path` (a stale socket file refuses them).
bool serverListensOn(const char* path);

// Binds a new local stream socket to `path` (whose old file is removed), opens it to every
// user and listens; on failure reports "bind", "chmod" or "listen" as perror does and
// returns an invalid descriptor.
unique_fd listenOn(const char* path);

// An accepted connection that does not block, or -1 (EAGAIN: none is waiting).
int acceptWaiting(int listener);

// The user id of the process at the other end of a local connection.
bool peerUid(int fd, uid_t* uid);

// At most `size` bytes of what has arrived: > 0 bytes read, 0 the peer closed, -1 with
// errno (EAGAIN: nothing yet).
long receiveAvailable(int fd, char* buffer, size_t size);

// At most `size` bytes of `data` written to what the peer has room for: the bytes
// written, or -1 with errno (EAGAIN: no room yet; EPIPE: the peer went away).
long sendAvailable(int fd, const char* data, size_t size);

// poll(2), going on after signals; the number of descriptors with events, or -1.
int waitForEvents(pollfd* fds, size_t count, int timeoutMs);

// Blocks SIGTERM and SIGINT in the calling thread (and so in the threads it starts later)
// and returns a descriptor that becomes readable when one of them arrives.
unique_fd stopSignals();
// The signal that made `fd` readable, or 0.
int takeSignal(int fd);

// Maps every block of 128 KiB or more (the buffers of requests and replies) on its own, so
// that freeing one returns its memory to the system. Left to itself, the allocator raises
// that threshold as such blocks are freed, and the buffers of dropped clients then stay
// in the heap: the intake's byte budget would no longer bound the process's memory.
void returnLargeBlocksWhenFreed();

// A descriptor any thread can make readable with wake(), for the thread polling it.
unique_fd wakeDescriptor();
void wake(int fd);
// Makes a woken descriptor quiet again.
void clearWake(int fd);

#endif  // OSTREV_SERVER_SERVER_IO_H_
