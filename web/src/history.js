// Undo and redo of set edits and of the object's sets being made anew: each entry holds a set's
// settings, or what the sets were made of ({ setsFrom }), before and after one change.
export class EditHistory {
  constructor() { this.done = []; this.undone = []; }
  record(entry) { this.done.push(entry); this.undone = []; }
  canUndo() { return this.done.length > 0; }
  canRedo() { return this.undone.length > 0; }
  // The settings to bring back, or undefined.
  undo() {
    const entry = this.done.pop();
    if (!entry) return undefined;
    this.undone.push(entry);
    if (entry.setsFrom) return { setsFrom: entry.setsFrom.before };
    return { surface: entry.surface, set: entry.set, ...entry.before };
  }
  redo() {
    const entry = this.undone.pop();
    if (!entry) return undefined;
    this.done.push(entry);
    if (entry.setsFrom) return { setsFrom: entry.setsFrom.after };
    return { surface: entry.surface, set: entry.set, ...entry.after };
  }
}
