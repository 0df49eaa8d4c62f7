// Test doubles are added beside this file.
