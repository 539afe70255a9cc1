// SPDX-License-Identifier: MIT
#include "core/program_writer.h"

#include <string>

#include "core/numeric_text.h"

namespace vornelik {

void writeProgram(TextSink& out, const TableSource& table, std::string_view memorySizeText,
                  std::string_view decimalSeparator, std::int32_t& tableIndex) {
    const bool good = table.quality == Quality::good;
    out.write(good ? "'iyi kalite ayari ile olusturulmustur'\r\n"
                   : "'kotu kalite ayari ile olusturulmustur'\r\n");
    out.write(
        "device = 18f4620\r\n"
        "xtal 4\r\n"
        "All_Digital = TRUE\r\n"
        "Dim sayi As Word\r\n"
        "TRISB=0\r\n"
        "PORTB=0\r\n"
        "DelayMS 500\r\n"
        "oku:\r\n");
    out.write("For sayi=0 To " + realToText(Val(memorySizeText), decimalSeparator) +
              " Step 1 \r\n");
    out.write("PORTB=CRead  (ses+sayi)\r\n");
    out.write("DelayUS " + std::to_string(delayMicrosecondsOf(table.quality)) + "\r\n");
    out.write(
        "Next\r\n"
        "DelayMS 500\r\n"
        "GoTo oku\r\n"
        "ses:\r\n");
    writeSampleTable(out, table, tableIndex);
}

}  // namespace vornelik
