#pragma once

#include <string>
#include <vector>

namespace parlumo::sim {

// Switches of the simulated service as a whole.
struct Settings {
    // Every service page and operation answers "-09".
    bool maintenance = false;
    // The version that the version file offers.
    std::string offeredVersion = "4.4.0.0";
    // How long after an accepted SMS its recipients' replies reach the reply box.
    int replyDelayMs = 3000;
    // Progress records that one poll of a task hands out; 0: all that remain.
    int progressPerPoll = 2;
    // Words for which the SMS gateway refuses a content with "-07".
    std::vector<std::string> keywords;
    // Text of the news page, lines separated by "<br>".
    std::string news;

    bool operator==(const Settings&) const = default;
};

Settings defaultSettings();

} // namespace parlumo::sim
