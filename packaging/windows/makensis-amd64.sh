#!/bin/sh
# makensis making a 64-bit installer: CPack passes its makensis arguments split at spaces, and "Target
# amd64-unicode" must reach makensis as one argument, before the script.
exec makensis "-XTarget amd64-unicode" "$@"
