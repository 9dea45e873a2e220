#include "tools/protocol/sim_records.h"

#include <algorithm>
#include <cstring>

namespace sim {

Bytes version_record(const char* version, uint16_t insim_version, uint8_t reqi) {
    insim::IS_VER ver{};
    ver.Size = sizeof ver;
    ver.Type = insim::ISP_VER;
    ver.ReqI = reqi;
    std::memcpy(ver.Version, version, strnlen(version, sizeof ver.Version));
    std::memcpy(ver.Product, "S3", 2);
    ver.InSimVer = insim_version;
    return bytes_of(ver);
}

Bytes tiny_record(uint8_t subtype, uint8_t reqi) {
    return {sizeof(insim::IS_TINY), insim::ISP_TINY, reqi, subtype};
}

insim::IS_ISI introduction(const char* name, uint16_t flags, uint16_t interval, uint8_t protocol) {
    insim::IS_ISI isi{};
    isi.Size = sizeof isi;
    isi.Type = insim::ISP_ISI;
    isi.ReqI = 1;
    isi.Flags = flags;
    isi.Sp0 = protocol;
    isi.Interval = interval;
    std::strncpy(isi.IName, name, sizeof isi.IName - 1);
    return isi;
}

namespace {

// A report of `count` cars from `cars`, the first numbered `number`.
Bytes report_of(const CarPosition* cars, std::size_t count, std::size_t number, uint8_t first_flags,
                uint8_t last_flags) {
    insim::IS_MCI mci{};
    count = std::min(count, insim::kMaxCarsPerReport);
    mci.Size = static_cast<uint8_t>(offsetof(insim::IS_MCI, Info) + count * sizeof(insim::CompCar));
    mci.Type = insim::ISP_MCI;
    mci.NumC = static_cast<uint8_t>(count);
    // The first bound, always true, keeps GCC 12 from seeing a write past Info.
    for (std::size_t i = 0; i < insim::kMaxCarsPerReport && i < count; ++i) {
        insim::CompCar& car = mci.Info[i];
        car.PLID = static_cast<uint8_t>(number + i);
        car.Position = static_cast<uint8_t>(number + i);
        car.X = cars[i].x;
        car.Y = cars[i].y;
    }
    if (count > 0) {
        mci.Info[0].Info |= first_flags;
        mci.Info[count - 1].Info |= last_flags;
    }
    Bytes bytes = bytes_of(mci);
    bytes.resize(mci.Size);
    return bytes;
}

}  // namespace

Bytes car_report(const std::vector<CarPosition>& cars) {
    return report_of(cars.data(), cars.size(), 1, 0, 0);
}

std::vector<Bytes> interval_reports(const std::vector<CarPosition>& cars) {
    std::vector<Bytes> reports;
    for (std::size_t at = 0; at < cars.size(); at += insim::kMaxCarsPerReport) {
        const std::size_t count = std::min(insim::kMaxCarsPerReport, cars.size() - at);
        reports.push_back(report_of(cars.data() + at, count, at + 1,
                                    at == 0 ? insim::kInfoFirstCar : 0,
                                    at + count == cars.size() ? insim::kInfoLastCar : 0));
    }
    return reports;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace sim
