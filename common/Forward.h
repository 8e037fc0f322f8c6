#pragma once
// Declarations of the code both deliverables share, for headers that only pass them on.
class HexColorCodec;
class PreferenceStore;
class PQPrefs;
class VRPrefs;
class UIViewExtension;
