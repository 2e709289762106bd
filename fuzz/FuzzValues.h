#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include <KorrGeomCore/Platform/Vector3.h>

namespace KorrFuzz {

// Doubles biased towards the values that break geometry code: zero, signed
// zero, NaN, infinities, the extremes of the double range and values just
// around the kernel's tolerances; otherwise any double the bytes spell.
inline double ConsumeNastyDouble(FuzzedDataProvider& data)
{
    static constexpr double kSpecial[] = {0.0,
                                          -0.0,
                                          1.0,
                                          -1.0,
                                          0.5,
                                          2.0,
                                          10.0,
                                          360.0,
                                          1e-7,
                                          1e-9,
                                          1e-12,
                                          1e-300,
                                          -1e-300,
                                          1e300,
                                          -1e300,
                                          std::numeric_limits<double>::quiet_NaN(),
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          std::numeric_limits<double>::max(),
                                          std::numeric_limits<double>::lowest(),
                                          std::numeric_limits<double>::denorm_min(),
                                          std::numeric_limits<double>::epsilon()};
    constexpr std::size_t kCount = sizeof(kSpecial) / sizeof(kSpecial[0]);
    const std::uint8_t pick = data.ConsumeIntegral<std::uint8_t>();
    if (pick < kCount)
        return kSpecial[pick];
    if (pick < 160)
        return data.ConsumeFloatingPointInRange(-100.0, 100.0);
    double raw = 0.0;
    data.ConsumeData(&raw, sizeof raw);
    return raw;
}

inline KMath::Vector3 ConsumeNastyVector(FuzzedDataProvider& data)
{
    const double x = ConsumeNastyDouble(data);
    const double y = ConsumeNastyDouble(data);
    const double z = ConsumeNastyDouble(data);
    return {x, y, z};
}

} // namespace KorrFuzz
