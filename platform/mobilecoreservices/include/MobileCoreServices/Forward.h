#pragma once
// Declarations of the application registry's classes, for headers that only pass them on.
class ApplicationRegistry;
class LSApplicationProxy;
class LSApplicationWorkspace;
