#include "bench/number_fixtures.h"

namespace parlumo::bench {

QStringList mobileNumbers(int count) {
    // 7919 is prime to 95000, so the first 95000 positions give distinct numbers.
    constexpr long long kDistinct = 95'000;
    QStringList numbers;
    numbers.reserve(count);
    for (long long i = 0; i < count; ++i)
        numbers << QString::number(13'000'000'000LL + (i * 7919 % kDistinct) * 10'007);
    return numbers;
}

QString memoOfNumbers(int count) {
    return mobileNumbers(count).join(QLatin1Char('\n'));
}

MessageButton LastMessage::show(QWidget*, const MessageRequest& request) {
    text = request.text;
    return request.buttons.isEmpty() ? MessageButton::Ok : request.buttons.first();
}

} // namespace parlumo::bench
