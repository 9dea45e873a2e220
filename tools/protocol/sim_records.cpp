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

// A report at `version` of `count` cars from `cars`.
Bytes report_of(const ReportedCar* cars, std::size_t count, int version, uint8_t first_flags,
                uint8_t last_flags) {
    count = std::min(count, cars_per_report(version));
    const std::size_t length = offsetof(insim::IS_MCI, Info) + count * sizeof(insim::CompCar);
    Bytes bytes(length);
    bytes[0] = static_cast<uint8_t>(length / size_unit(version));
    bytes[1] = insim::ISP_MCI;
    bytes[offsetof(insim::IS_MCI, NumC)] = static_cast<uint8_t>(count);
    for (std::size_t i = 0; i < count; ++i) {
        insim::CompCar car{};
        car.PLID = cars[i].plid;
        car.Position = cars[i].position;
        car.X = cars[i].at.x;
        car.Y = cars[i].at.y;
        car.Info =
            static_cast<uint8_t>((i == 0 ? first_flags : 0) | (i + 1 == count ? last_flags : 0));
        std::memcpy(bytes.data() + offsetof(insim::IS_MCI, Info) + i * sizeof car, &car,
                    sizeof car);
    }
    return bytes;
}

// `cars` numbered from 1, in their order.
std::vector<ReportedCar> numbered(const std::vector<CarPosition>& cars) {
    std::vector<ReportedCar> reported;
    reported.reserve(cars.size());
    for (std::size_t i = 0; i < cars.size(); ++i) {
        reported.push_back({cars[i], static_cast<uint8_t>(i + 1), static_cast<uint8_t>(i + 1)});
    }
    return reported;
}

}  // namespace

Bytes car_report(const std::vector<CarPosition>& cars, int version) {
    const std::vector<ReportedCar> reported = numbered(cars);
    return report_of(reported.data(), reported.size(), version, 0, 0);
}

std::vector<Bytes> interval_reports(const std::vector<CarPosition>& cars, int version) {
    return interval_reports(numbered(cars), version);
}

std::vector<Bytes> interval_reports(const std::vector<ReportedCar>& cars, int version) {
    const std::size_t per_report = cars_per_report(version);
    std::vector<Bytes> reports;
    for (std::size_t at = 0; at < cars.size(); at += per_report) {
        const std::size_t count = std::min(per_report, cars.size() - at);
        reports.push_back(report_of(cars.data() + at, count, version,
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

std::string hex_of(const uint8_t* bytes, std::size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        hex += kDigits[bytes[i] >> 4];
        hex += kDigits[bytes[i] & 15];
    }
    return hex;
}

Bytes sized_for(Bytes record, int version) {
    if (!record.empty()) {
        record[0] = static_cast<uint8_t>(record.size() / size_unit(version));
    }
    return record;
}

}  // namespace sim
