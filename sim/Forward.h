#pragma once
// Declarations of the command line's own types, for headers that only pass them on.
namespace sim {
class Command;
class ContainerPrefs;
class Device;
class HostRunner;
class Installation;
class SimError;
class ReportedFailure;
} // namespace sim
