#include "app/display_loop.h"

#include <cstddef>
#include <cstring>

#include "app/street_areas.h"

namespace street_names {

namespace {

constexpr std::size_t kFirstCar = offsetof(insim::IS_MCI, Info);
constexpr std::size_t kFirstCarX = kFirstCar + offsetof(insim::CompCar, X);
constexpr std::size_t kFirstCarY = kFirstCar + offsetof(insim::CompCar, Y);

int32_t readInt32(const char* at) {
    int32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}  // namespace

void fillStreetButton(insim::IS_BTN& button) {
    button.Size = sizeof(insim::IS_BTN);
    button.Type = insim::ISP_BTN;
    button.ReqI = 1;
    button.UCID = 0;
    button.ClickID = 237;
    button.Inst = 0;
    button.BStyle = insim::ISB_DARK;
    button.TypeIn = 0;
    button.L = 1;
    button.T = 70;
    button.W = 60;
    button.H = 10;
}

std::optional<geometry::Point> firstCarPosition(const char* report) {
    const auto size = static_cast<uint8_t>(report[0]);
    const auto cars = static_cast<uint8_t>(report[offsetof(insim::IS_MCI, NumC)]);
    if (cars == 0 || size < kFirstCarY + sizeof(int32_t)) {
        return std::nullopt;
    }
    // Integer division truncates toward zero: -1.5 m is -1.
    return geometry::Point(readInt32(report + kFirstCarX) / insim::kPositionUnit,
                           readInt32(report + kFirstCarY) / insim::kPositionUnit);
}

int runDisplayLoop(insim::InsimConnection& connection, insim::IS_BTN& streetButton) {
    for (;;) {
        if (connection.read_packet() < 0) {
            return -1;
        }
        if (static_cast<uint8_t>(connection.packet_type()) != insim::ISP_MCI) {
            continue;
        }
        const std::optional<geometry::Point> pos = firstCarPosition(connection.current_packet());
        if (!pos) {
            continue;
        }
        const char* name = areaNameAt(*pos);
        std::memcpy(streetButton.Text, name, std::strlen(name) + 1);
        connection.write_packet(&streetButton);  // a failed send is retried by the next report
    }
}

}  // namespace street_names
