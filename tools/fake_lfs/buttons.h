// The buttons a program shows, as the simulator keeps them (5.5): each on
// the screen of the connection it is for (0 the host's own, 255 every
// connection's), made or updated by IS_BTN, deleted by IS_BFN BFN_DEL_BTN
// (one, or a range up to ClickMax) or BFN_CLEAR, and gone from a screen
// whose user clears them. What a person can click or type into.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "tools/protocol/sim_records.h"

namespace fake_lfs {

// The connection number that means every connection.
constexpr uint8_t kEveryConnection = 255;

struct Button {
    uint8_t reqi;     // from the IS_BTN, for its IS_BTC and IS_BTT
    uint8_t style;    // BStyle
    uint8_t type_in;  // TypeIn: 0, or the most characters typed in (bits 0-6)
    uint8_t inst;
    // Connections whose user cleared it, for a button on every screen.
    std::vector<uint8_t> cleared_by = {};
};

class Buttons {
  public:
    // Takes a record from the program: an IS_BTN or IS_BFN that fits its
    // type changes the buttons; any other record does not.
    void take(const sim::Bytes& record);
    // The button `click_id` on connection `ucid`'s screen, if it is there.
    const Button* shown_to(uint8_t ucid, uint8_t click_id) const;
    // The user of connection `ucid` clears the program's buttons from the
    // screen; whether any were there.
    bool clear_for(uint8_t ucid);

  private:
    static uint16_t key(uint8_t ucid, uint8_t click_id) {
        return static_cast<uint16_t>(ucid << 8 | click_id);
    }
    void remove(uint8_t ucid, uint8_t first, uint8_t last);

    // By connection and ClickID: at most 256 x 256, however many buttons come.
    std::map<uint16_t, Button> buttons_;
};

}  // namespace fake_lfs
