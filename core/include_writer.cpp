// SPDX-License-Identifier: MIT
#include "core/include_writer.h"

#include <string>

#include "core/numeric_text.h"

namespace vornelik {

void writeInclude(TextSink& out, const TableSource& table, std::string_view memorySizeText,
                  std::string_view decimalSeparator, std::int32_t& tableIndex) {
    // The poor-quality comment has no apostrophe after its delay: "DelayUS 225adres". Users'
    // projects hold files made with both forms, so both stay as they are.
    const bool good = table.quality == Quality::good;
    std::string firstLine = good ? "'iyi kalite ayarı ile oluşturulmuştur DelayUS "
                                 : "'kotu kalite ayarı ile oluşturulmuştur DelayUS ";
    firstLine += std::to_string(delayMicrosecondsOf(table.quality));
    firstLine += good ? "'adres  " : "adres  ";
    firstLine += realToText(Val(memorySizeText), decimalSeparator);
    firstLine += "'\r\n";
    out.write(firstLine);
    out.write("ses:\r\n");
    writeSampleTable(out, table, tableIndex);
}

}  // namespace vornelik
