#pragma once
#include <objc/Ref.h>

#include <vector>

class PSSpecifier;
class PSTableCell;
class PSSwitchTableCell;
class PSListController;

using PSSpecifierArray = std::vector<rt::Ref<PSSpecifier>>;
