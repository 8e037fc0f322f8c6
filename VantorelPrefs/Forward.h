#pragma once
class VRSControllerOperations;
struct VRSPage;
class PQImagePickerCell;
