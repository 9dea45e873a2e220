// Cuts what a program writes into lines, as it comes in pieces of any size,
// and hands each line on without its end ("\n" or "\r\n"). A line longer
// than kLongestLine is handed on in pieces of that length, so that a
// program that never ends a line cannot fill memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace engine {

class OutputLines {
  public:
    using Line = std::function<void(const std::string& line)>;
    static constexpr std::size_t kLongestLine = 4096;

    explicit OutputLines(Line line) : line_(std::move(line)) {}

    void feed(const char* bytes, std::size_t count);
    // Hands on the last line, if it had no end.
    void finish();

  private:
    Line line_;
    std::string partial_;
};

}  // namespace engine
