# The sources whose change can change how a recorded session plays, relative to the repository: read by the
# build (to remake the revision when one changes) and by logic_revision.cmake (to hash them).
set(QUARZEL_LOGIC_GLOBS game/*.cpp game/*.h framework/*.cpp framework/*.h)
