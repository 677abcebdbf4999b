#!/usr/bin/env python3
"""Validates text forms against the schema with a real JSON Schema validator.

Usage: validate_text.py SCHEMA TEXT... ; prints one line per text, "valid" or
"invalid: <first reason>", and exits 0 once every text was checked."""
import json
import sys

import jsonschema

with open(sys.argv[1], encoding="utf-8") as f:
    schema = json.load(f)
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
for path in sys.argv[2:]:
    with open(path, encoding="utf-8") as f:
        errors = sorted(validator.iter_errors(json.load(f)), key=lambda e: list(e.path))
    print(path, "valid" if not errors else "invalid: " + errors[0].message)
