#include "sim/settings.h"

namespace parlumo::sim {

Settings defaultSettings() {
    Settings settings;
    settings.keywords = {"发票", "六合彩", "赌博", "枪支", "代开"};
    settings.news = "欢迎使用 Parlumo 短信平台！<br>"
                    "短信 0.08 元/条，彩信 0.25 元/条，语音 0.15 元/号码，传真 0.2 元/号码。<br>"
                    "系统维护时间：每周日凌晨 2:00-4:00。<br>"
                    "客服热线：400-800-8888";
    return settings;
}

} // namespace parlumo::sim
