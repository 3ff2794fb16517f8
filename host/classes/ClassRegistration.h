// The host's class registry: the classes a form may name, found by name when it is read.
#pragma once

#include "host/system/Exceptions.h"

#include <initializer_list>

namespace host {

/// Registers `AClass` and its ancestors up to TPersistent. Registering a class again does
/// nothing; another class of the same name raises EFilerError "A class named %s already exists".
void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> AClasses);
/// Lets forms name `AClass` also as `Alias`.
void RegisterClassAlias(TClass AClass, const AnsiString& Alias);
/// Forgets `AClass` (and its aliases); its ancestors stay registered.
void UnRegisterClass(TClass AClass);
void UnRegisterClasses(std::initializer_list<TClass> AClasses);
/// Whether `AClass` is registered (compared by address only: safe for any pointer).
bool IsRegisteredClass(TClass AClass);
/// The registered class named `ClassName` (ignoring case), or null.
TClass GetClass(const AnsiString& ClassName);
/// Whether `AClass` is registered (compared by address only: safe for any pointer).
bool IsRegisteredClass(TClass AClass);
/// The registered class named `ClassName`; raises EClassNotFound "Class %s not found".
TClass FindClass(const AnsiString& ClassName);

} // namespace host
