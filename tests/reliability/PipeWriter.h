#pragma once
// A writer that opens a pipe once a reader waits on it, and closes it again at once: a test
// of code that must not wait for a pipe's writer fails, should the code wait all the same,
// instead of hanging.
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace wabunko {

class PipeWriter {
public:
  explicit PipeWriter(std::string pipe)
      : thread_([this, pipe = std::move(pipe)] {
          while (!done_) {
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);  // fails while no reader waits
            if (fd >= 0) {
              ::close(fd);
              return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
        }) {}
  ~PipeWriter() {
    done_ = true;
    thread_.join();
  }
  PipeWriter(const PipeWriter&) = delete;
  PipeWriter& operator=(const PipeWriter&) = delete;

private:
  std::atomic<bool> done_ = false;
  std::thread thread_;
};

}  // namespace wabunko
