#pragma once

namespace parlumo {

struct Screens;
struct Services;

// Connects the screens to each other: every request one screen makes of another, in one place.
void wireScreens(const Screens& screens, Services& services);

} // namespace parlumo
