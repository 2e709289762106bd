#pragma once

#include <map>
#include <string>

#include <KorrGeomCore/KorrGeomCoreExport.h>
#include <KorrGeomCore/Platform/KOutcome.h>
#include <KorrGeomCore/Platform/KProgressIndicator.h>
#include <KorrGeomCore/Service/Utf16Order.h>
#include <KorrGeomCore/TopoShape/KTopoShape.h>

namespace KorrCore {

// A file format the host adds beside the library's BRep files. A service has a
// name (its key in KBrepFileServiceManager), a title and a filter for file
// dialogs, loads files through OnLoadFile and may save lists of shapes.
// LoadFile caches loaded shapes by the exact path given, failed loads included,
// for the life of the service, each with the outcome of its load; copies of a
// service copy its cache and then share the cached shapes, except loads that
// were cancelled (see LoadCancelled). So a file missing at the first load stays
// null after it is created, and a file changed on disk keeps giving the shape
// first read, until the host drops the entry (Forget, ClearCache) or reads
// past the cache (LoadFileUncached).
class KORRGEOMCORE_EXPORT KBrepFileService {
public:
    KBrepFileService() = default;
    // Copies start with the cache as it is (see above) and the same progress
    // indicator.
    KBrepFileService(const KBrepFileService& other) = default;
    KBrepFileService& operator=(const KBrepFileService& other) = default;
    virtual ~KBrepFileService();

    // Saves the shapes in this service's format; KLastOutcome() then tells
    // whether it worked. The base class cannot and reports "Not implemented!".
    virtual void SaveFile(const ShapeList& shapes, const std::wstring& path);
    // Reads one file in this service's format: the shape, or a null ShapePtr,
    // leaving the outcome (KLastOutcome) of the read.
    virtual ShapePtr OnLoadFile(const std::wstring& path) = 0;

    // The cached result for the path, or OnLoadFile's result, cached. The
    // outcome is that of the load the result came from, so a file that failed
    // keeps saying why; a null shape from an OnLoadFile that gave no reason
    // leaves TranslatorFailed.
    ShapePtr LoadFile(const std::wstring& path);
    // OnLoadFile's result for the path, read from the file now, with the
    // outcome LoadFile would give; the cache is neither asked nor changed.
    ShapePtr LoadFileUncached(const std::wstring& path);
    // Drops the cached result for the exact path given, so that the next
    // LoadFile reads the file again. The shapes already handed out stay valid.
    void Forget(const std::wstring& path);
    // Drops every cached result, freeing the shapes no host handle still holds.
    void ClearCache();

    // The service's name (its key in KBrepFileServiceManager), its title and
    // its filter for file dialogs ("*.step;*.stp").
    const std::wstring& GetName() const { return name; }
    const std::wstring& GetTitle() const { return title; }
    const std::wstring& GetFileFilter() const { return fileFilter; }
    void SetName(const std::wstring& value) { name = value; }
    void SetTitle(const std::wstring& value) { title = value; }
    void SetFileFilter(const std::wstring& value) { fileFilter = value; }

    // Told how far loads and saves are, and asked whether to stop them (see
    // KProgressIndicator); null for neither. Not owned: it must outlive the
    // calls it is used in; copies of the service use the same one.
    void SetProgressIndicator(KProgressIndicator* indicator) { progress = indicator; }
    KProgressIndicator* GetProgressIndicator() const { return progress; }

protected:
    // For OnLoadFile: the null it returns comes from a cancellation and says
    // nothing about the file, so LoadFile keeps no entry for the path and a
    // later call reads the file again.
    void LoadCancelled() { loadCancelled = true; }

private:
    std::wstring name;
    std::wstring title;
    std::wstring fileFilter;
    struct Loaded {
        ShapePtr shape;
        KOutcome outcome;
    };
    std::map<std::wstring, Loaded, Utf16Order> cache;
    KProgressIndicator* progress = nullptr;
    bool loadCancelled = false;
};

} // namespace KorrCore
