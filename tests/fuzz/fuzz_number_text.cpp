// The number texts: a text box read as a number, the leading number of a reply, and values
// written by every display pattern and the general and CSV formats.
#include <QString>
#include <cstring>
#include <string_view>

#include "platform/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    (void)parse_decimal(text);
    (void)parse_int16(text);
    (void)leading_number(bytes);
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        float single = 0;
        std::memcpy(&single, data, sizeof single);
        (void)round_to_int16(value);
        for (const char* pattern :
             {"##0.00", "##.#0", "####.#0", "0.000", "#0.000", "#0", "###0.0", "##0.0"}) {
            (void)format_number(value, pattern);
            (void)format_number(single, pattern);
        }
        // The rest of the input as a pattern of its own.
        (void)format_number(value, bytes.substr(sizeof(double)));
        (void)parse_decimal(general_number(single));
        (void)csv_number(single);
    }
    return 0;
}
