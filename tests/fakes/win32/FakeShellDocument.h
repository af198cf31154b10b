#pragma once

#include <oaidl.h>

#include <string>

// A new HTML document (an IDispatch with one reference) whose title is the given text.
void* CreateFakeHtmlDocument(const std::wstring& title);
