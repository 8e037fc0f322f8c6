#pragma once
class VRSControllerOperations;
struct VRSPage;
