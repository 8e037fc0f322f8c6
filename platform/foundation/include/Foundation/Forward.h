#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class NSBundle;
class NSFileManager;

namespace ns {
struct Failure;
template <class T> class Result;
class PlistValue;
using PlistArray = std::vector<PlistValue>;
using PlistDictionary = std::map<std::string, PlistValue>;
using PlistData = std::vector<std::uint8_t>;
class PlistFile;
class DevicePath;
class FileStamp;
class ProcessIdentity;
class SpawnedProcesses;
} // namespace ns
