// Undo and redo of set edits: each entry holds a set's settings before and after one change.
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
    return { surface: entry.surface, set: entry.set, ...entry.before };
  }
  redo() {
    const entry = this.undone.pop();
    if (!entry) return undefined;
    this.done.push(entry);
    return { surface: entry.surface, set: entry.set, ...entry.after };
  }
}
