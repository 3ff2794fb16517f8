// Loading and unloading the package: every unit's start-up in order, shut-down in reverse.
#pragma once

namespace zeltrix {

/// Runs the start-up code of every unit of the package, in order. Loading twice does nothing.
void LoadPackage();
/// Runs the shut-down code of every unit, in reverse order.
void UnloadPackage();
bool PackageLoaded();

/// Keeps the package loaded for the lifetime of the scope.
class PackageScope {
public:
    PackageScope() { LoadPackage(); }
    ~PackageScope() { UnloadPackage(); }
    PackageScope(const PackageScope&) = delete;
    PackageScope& operator=(const PackageScope&) = delete;
};

} // namespace zeltrix
