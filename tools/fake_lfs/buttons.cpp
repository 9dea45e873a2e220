#include "tools/fake_lfs/buttons.h"

#include <algorithm>

#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_fields.h"

namespace fake_lfs {
namespace {

uint8_t byte_at(const sim::Bytes& record, std::string_view field) {
    return static_cast<uint8_t>(records::value_at(record, field));
}

}  // namespace

void Buttons::take(const sim::Bytes& record) {
    // Most records are neither: they are passed over at a glance.
    static const uint8_t kButton = catalogue::find("IS_BTN")->type;
    static const uint8_t kDeletion = catalogue::find("IS_BFN")->type;
    if (record.size() <= catalogue::kTypeAt ||
        (record[catalogue::kTypeAt] != kButton && record[catalogue::kTypeAt] != kDeletion)) {
        return;
    }
    if (records::is_whole(record, "IS_BTN")) {
        const uint16_t at = key(byte_at(record, "UCID"), byte_at(record, "ClickID"));
        // A button there already and no size only changes its text.
        if (buttons_.contains(at) && byte_at(record, "W") == 0 && byte_at(record, "H") == 0) {
            return;
        }
        buttons_[at] = {byte_at(record, "ReqI"), byte_at(record, "BStyle"),
                        byte_at(record, "TypeIn"), byte_at(record, "Inst")};
    } else if (records::is_whole(record, "IS_BFN")) {
        const std::string_view subtype = records::name_at(record, "SubT");
        const uint8_t ucid = byte_at(record, "UCID");
        if (subtype == "BFN_DEL_BTN") {
            const uint8_t first = byte_at(record, "ClickID");
            remove(ucid, first, std::max(first, byte_at(record, "ClickMax")));
        } else if (subtype == "BFN_CLEAR") {
            remove(ucid, 0, 255);
        }
    }
}

void Buttons::remove(uint8_t ucid, uint8_t first, uint8_t last) {
    std::erase_if(buttons_, [&](const auto& held) {
        const auto click_id = static_cast<uint8_t>(held.first & 0xff);
        return (ucid == kEveryConnection || held.first >> 8 == ucid) && click_id >= first &&
               click_id <= last;
    });
}

const Button* Buttons::shown_to(uint8_t ucid, uint8_t click_id) const {
    if (const auto own = buttons_.find(key(ucid, click_id)); own != buttons_.end()) {
        return &own->second;
    }
    const auto every = buttons_.find(key(kEveryConnection, click_id));
    if (every == buttons_.end() || std::ranges::count(every->second.cleared_by, ucid) > 0) {
        return nullptr;
    }
    return &every->second;
}

bool Buttons::clear_for(uint8_t ucid) {
    bool any = false;
    for (auto held = buttons_.begin(); held != buttons_.end();) {
        if (held->first >> 8 == ucid) {
            held = buttons_.erase(held);
            any = true;
            continue;
        }
        auto& cleared = held->second.cleared_by;
        if (held->first >> 8 == kEveryConnection && std::ranges::count(cleared, ucid) == 0) {
            cleared.push_back(ucid);
            any = true;
        }
        ++held;
    }
    return any;
}

}  // namespace fake_lfs
