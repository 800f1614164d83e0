// The object as the view serves it. An object opened without polygon sets may be opened again
// with sets made of any source --sets-from takes, as the page asks; what the sets of a source were
// set to is kept when the page leaves them, so that coming back to it (an undo) finds them as
// they were left.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/session/opened_object.h"
#include "host/session/shader_blocks.h"
#include "sets/proposed_sets.h"
#include "tools/velmora/applied_object.h"
#include "tools/velmora/object_options.h"
#include "tools/view/view_object.h"

class ServedObject : NonCopyable {
  public:
    // Opens the object as `options` ask, its settings file and set requests applied; nothing is
    // saved on opening. `input` must outlive the object.
    ServedObject(const ObjectOptions &options, const ApplyInput &input);

    ViewObject &view() { return *viewed; }
    OpenedObject &opened() { return *openedObject; }
    // The options as the object is now served: their --sets-from the source of its sets.
    const ObjectOptions &options() const { return served; }
    SetProposal &proposal() { return proposed; }

    // What the page may make sets of ("" for none, the object's own state): nothing where the
    // object had sets of its own when opened.
    const std::vector<std::string> &setSources() const { return sources; }
    // Opens the object again with its sets made of `source`, one of setSources(). Throws
    // ViewRequestError 400 for another source, 422 when the object cannot give such sets (the
    // object stays as it was).
    void makeSetsFrom(const std::string &source);

  private:
    // With `left`, when given, in place of the settings the object stores.
    void open(const ObjectOptions &options, const std::vector<ShaderBlock> *left = nullptr);

    ObjectOptions served;
    const ApplyInput &input;
    SetProposal proposed;
    std::unique_ptr<OpenedObject> openedObject;
    std::unique_ptr<ViewObject> viewed;
    std::vector<std::string> sources;
    std::map<std::string, std::vector<ShaderBlock>> leftAt;  // by source
};
