#include "tools/insim_tap/fault_pipe.h"

#include <algorithm>

#include "tools/protocol/counted.h"

namespace insim_tap {
namespace {

using std::chrono::milliseconds;

// The pause between the slices of a record, so that they reach the other
// side as reads of their own.
constexpr milliseconds kSliceGap(5);

}  // namespace

FaultPipe::FaultPipe(asio::io_context& io, Direction direction, std::vector<Fault> faults,
                     Actions actions)
    : direction_(direction),
      faults_(std::move(faults)),
      actions_(std::move(actions)),
      timer_(io),
      splitter_(direction == Direction::kToSimulator
                    ? framing::RecordSplitter::of_program()
                    : framing::RecordSplitter(framing::kUndecided)),
      last_due_(Clock::now()),
      noted_(faults_.size(), false) {}

void FaultPipe::take(std::span<const uint8_t> bytes, std::size_t unit) {
    if (stopped_) {
        undelivered_ += bytes.size();
        return;
    }
    if (unframed_) {
        schedule({sim::Bytes(bytes.begin(), bytes.end()), last_due_});
        return;
    }
    splitter_.feed(bytes);
    // The program's side frames its own introduction; the simulator's
    // follows the unit the capture log decided from it.
    if (direction_ == Direction::kToProgram && splitter_.unit() == framing::kUndecided &&
        unit != framing::kUndecided) {
        splitter_.set_unit(unit);
    }
    while (const auto whole = splitter_.next()) {
        record(*whole);
    }
    if (splitter_.lost()) {
        // Nothing from a size of 0 on is a record: it goes on as it comes.
        unframed_ = true;
        schedule({sim::Bytes(splitter_.held().begin(), splitter_.held().end()), last_due_});
    }
}

bool FaultPipe::applies(const Fault& fault, long record) const {
    return fault.direction == direction_ && (fault.record == 0 || fault.record == record);
}

void FaultPipe::record(std::span<const uint8_t> bytes) {
    const long number = ++records_;
    // "fault: to-program ", built by appending: GCC 12 misreads a literal
    // added to a temporary string as an overlapping copy.
    std::string prefix = "fault: ";
    prefix += direction_name(direction_);
    prefix += ' ';
    Item item{sim::Bytes(bytes.begin(), bytes.end()), std::max(last_due_, Clock::now())};
    for (std::size_t i = 0; i < faults_.size(); ++i) {
        const Fault& fault = faults_[i];
        if (!applies(fault, number)) {
            continue;
        }
        // Faults on every record are noted when they first fire, whatever
        // another fault did to that record.
        const bool first = !noted_[i];
        noted_[i] = true;
        switch (fault.kind) {
            case FaultKind::kLatency: {
                const long extra =
                    fault.jitter > 0 ? static_cast<long>(jitter_() % (fault.jitter + 1)) : 0;
                item.due = std::max(item.due, Clock::now() + milliseconds(fault.value + extra));
                if (first) {
                    std::string ms = std::to_string(fault.value);
                    if (fault.jitter > 0) {
                        ms += '~';
                        ms += std::to_string(fault.jitter);
                    }
                    actions_.note(prefix + "latency " + ms + " ms from record " +
                                  std::to_string(number) + " on");
                }
                break;
            }
            case FaultKind::kSlice:
                item.slice = static_cast<std::size_t>(fault.value);
                if (first) {
                    actions_.note(prefix + "slice " + sim::counted(fault.value, "byte") +
                                  " from record " + std::to_string(number) + " on");
                }
                break;
            case FaultKind::kStall:
                item.due += milliseconds(fault.value);
                actions_.note(prefix + "stall " + std::to_string(fault.value) +
                              " ms before record " + std::to_string(number));
                break;
            case FaultKind::kDrop:
                actions_.note(prefix + "drop record " + std::to_string(number));
                undelivered_ += bytes.size();
                return;
            case FaultKind::kCut:
            case FaultKind::kReset: {
                // The record goes nowhere; the item keeps it to be counted.
                const bool cut = fault.kind == FaultKind::kCut;
                Item end{std::move(item.bytes), item.due};
                end.what = cut ? Item::What::kCut : Item::What::kReset;
                end.why =
                    prefix + (cut ? "cut" : "reset") + " before record " + std::to_string(number);
                schedule(std::move(end));
                return;
            }
        }
    }
    schedule(std::move(item));
}

void FaultPipe::schedule(Item item) {
    if (stopped_) {
        undelivered_ += item.bytes.size();  // behind a cut or reset that just fired
        return;
    }
    last_due_ = item.due;
    held_ += item.bytes.size();
    queue_.push_back(std::move(item));
    if (!waiting_) {
        release(false);
    }
}

void FaultPipe::end() {
    if (ended_ || stopped_) {
        return;
    }
    ended_ = true;
    if (!unframed_ && !splitter_.held().empty()) {
        // The start of a record the side never finished goes as it came.
        schedule({sim::Bytes(splitter_.held().begin(), splitter_.held().end()), last_due_});
    }
    Item end{{}, last_due_};
    end.what = Item::What::kEnd;
    schedule(std::move(end));
}

void FaultPipe::stop(bool held_lost) {
    if (stopped_) {
        return;
    }
    stopped_ = true;
    drop_queue(held_lost);
    if (!unframed_) {
        undelivered_ += splitter_.held().size();  // the start of a record
    }
    timer_.cancel();
}

void FaultPipe::drop_queue(bool held_lost) {
    for (const Item& item : queue_) {
        undelivered_ += item.bytes.size();
        if (held_lost && item.what == Item::What::kBytes) {
            held_lost_ += item.bytes.size();
        }
    }
    queue_.clear();
    held_ = 0;
}

// Sends what is due, a slice at a time, and waits for the next. Any action
// may end the relay, and with it this pipe, so none is called while an item
// is still being read.
void FaultPipe::release(bool late) {
    waiting_ = false;
    while (!stopped_ && !queue_.empty()) {
        Item& front = queue_.front();
        if (front.due > Clock::now()) {
            waiting_ = true;
            timer_.expires_at(front.due);
            timer_.async_wait([this](std::error_code error) {
                if (!error) {
                    release(true);
                }
            });
            return;
        }
        if (front.what == Item::What::kBytes) {
            const std::size_t size =
                front.slice > 0 ? std::min(front.slice, front.bytes.size()) : front.bytes.size();
            const sim::Bytes piece(front.bytes.begin(),
                                   front.bytes.begin() + static_cast<std::ptrdiff_t>(size));
            held_ -= size;
            front.bytes.erase(front.bytes.begin(),
                              front.bytes.begin() + static_cast<std::ptrdiff_t>(size));
            if (front.bytes.empty()) {
                queue_.pop_front();
            } else {
                front.due = Clock::now() + kSliceGap;
            }
            actions_.send(piece, late);
            continue;
        }
        const Item item = std::move(front);
        queue_.pop_front();
        if (item.what == Item::What::kEnd) {
            actions_.ended();
        } else {
            // Nothing from the record it fired before on goes that way.
            stopped_ = true;
            undelivered_ += item.bytes.size();
            drop_queue(false);
            actions_.note(item.why);
            (item.what == Item::What::kCut ? actions_.cut : actions_.reset)(item.why);
        }
    }
}

}  // namespace insim_tap
