// SPDX-License-Identifier: MIT
#include "cli/info_report.h"

namespace vornelik {

std::string infoReport(std::string_view fileName, std::span<const std::uint8_t> file, bool json) {
    const RiffWave wave = readRiffWave(file);
    const SoundSurvey survey = surveySound(file);
    const InfoSubject subject{fileName, file, wave, survey};
    return json ? infoReportJson(subject) : infoReportText(subject);
}

}  // namespace vornelik
