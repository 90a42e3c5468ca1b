// The server's request objects. The listener creates one per accepted connection, the
// queue owns it, and the worker runs it with do_it and deletes it; deleting a command
// closes the connection it holds. do_it runs on the worker thread only.
#ifndef OSTREV_SERVER_COMMAND_H_
#define OSTREV_SERVER_COMMAND_H_

class TextTrackLookup;

// A request that could not be read, or named nothing the server knows.
class command {
 public:
  command();
  virtual ~command();
  command(const command&) = delete;
  command& operator=(const command&) = delete;

  virtual void do_it(TextTrackLookup* engine, int option_flags);

  // What a command is; set by the constructors, read by nobody.
  enum kind_value : int { kPlain = 0, kShutdown = 1, kLookup = 2 };
  kind_value kind;

 protected:
  explicit command(kind_value kind);
};

// Ends the server; commands queued behind it never run.
class shutdown_command : public command {
 public:
  shutdown_command();
  void do_it(TextTrackLookup* engine, int option_flags) override;
};

#endif  // OSTREV_SERVER_COMMAND_H_
