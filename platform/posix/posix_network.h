#pragma once
#include "platform/tcp_stream.h"

namespace zelvor {

// TCP streams over POSIX sockets, shared by both bindings. Every wait is a
// poll() on the socket and on the cancel signal's eventfd, so a cancel wakes
// it at once and a silent peer ends it at the deadline. Name resolution runs
// on a helper thread so that it, too, obeys the deadline and the cancel.
class PosixNetwork : public Network {
 public:
  std::unique_ptr<CancelSignal> makeCancelSignal() override;
  std::unique_ptr<TcpStream> connect(const std::string& host, std::uint16_t port,
                                     const ConnectOptions& options, NetResult& failure) override;
};

}  // namespace zelvor
