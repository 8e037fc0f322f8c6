#pragma once
// Declarations of what every host program shares, for headers that only pass them on.
namespace hosts {
class DeviceProcess;
class TweakLoader;
class ViewTree;
} // namespace hosts
