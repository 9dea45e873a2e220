// A stream of lines about one program: each whole line goes on to the
// standard stream it stands for, marked with the program it is about while
// the mark says so (once a second program has connected), so that the
// lines of several programs can be told apart.
#pragma once

#include <functional>
#include <ostream>
#include <streambuf>
#include <string>

namespace fake_lfs {

class MarkedLines : public std::ostream {
  public:
    // `mark` gives the mark for a line as it is written, or nothing for
    // none. A line that starts "fake_lfs: " gets the mark after those
    // words; any other line gets it in front.
    MarkedLines(std::ostream& target, std::function<std::string()> mark);
    ~MarkedLines() override;
    MarkedLines(const MarkedLines&) = delete;
    MarkedLines& operator=(const MarkedLines&) = delete;

  private:
    class Lines : public std::streambuf {
      public:
        Lines(std::ostream& target, std::function<std::string()> mark)
            : target_(target), mark_(std::move(mark)) {}
        // Writes what is held of an unfinished line.
        void write_rest();

      protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* text, std::streamsize count) override;
        int sync() override;

      private:
        void write_line();

        std::ostream& target_;
        std::function<std::string()> mark_;
        std::string line_;
    };

    Lines lines_;
};

}  // namespace fake_lfs
