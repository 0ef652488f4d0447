// A second process for the notes kill test: it saves both notes files over
// and over until it is killed.
//
//   notes_writer FOLDER   prints "ready N", then saves iterations N, N+1, ...
//
// Iteration i writes notes.dat with 1 + i % 50 notes and notes.old with
// 1 + i % 7, every note titled "n<i>" with a text of 37 * i % 3000 + j bytes
// (j its position), so a file that loads whole shows which iteration wrote
// it and whether any note of it is missing or cut. Each writer starts one
// past the iteration it finds, so the files never go back.

#include <cstdio>
#include <string>

#include "notes/notes_files.h"
#include "platform/posix/posix_files.h"

namespace {

using namespace zelvor::notes;

std::vector<NoteEntry> NotesOf(long iteration, long count) {
  std::vector<NoteEntry> notes;
  for (long j = 0; j < count; ++j) {
    NoteEntry n{BuiltInNoteRecord(), std::string(static_cast<std::size_t>(37 * iteration % 3000 + j), 't')};
    n.record.title = "n" + std::to_string(iteration);
    n.record.rect.left = static_cast<std::int32_t>(j);
    notes.push_back(std::move(n));
  }
  return notes;
}

long IterationOf(const LoadedNotes& loaded) {
  return loaded.notes.empty() ? 0 : std::stol(loaded.notes.front().record.title.substr(1));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: notes_writer FOLDER\n");
    return 2;
  }
  zelvor::PosixFiles files;
  NotesFiles store(files, argv[1]);
  const long live = IterationOf(store.LoadLive());
  const long bin = IterationOf(store.LoadBin());
  const long first = live == 0 ? 1 : (bin == live ? live + 1 : live);
  std::printf("ready %ld\n", first);
  std::fflush(stdout);
  for (long i = first;; ++i) {
    const SavedNotes saved = store.Save(NotesOf(i, 1 + i % 50), NotesOf(i, 1 + i % 7));
    if (!saved.live.ok || !saved.bin.ok) return 1;
  }
}
