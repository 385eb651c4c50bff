"""Builds the categories: one per function taking named constants, families by prefix, and the
hand-kept supplement merged in.

Every iteration here runs over lists or sorted keys, so the output does not depend on the order
of sets or on hashing.
"""

import re

# Masks and limits are not values one passes.
_NOT_A_VALUE = re.compile(r"MASK\Z|_MAX\Z|_LAST\Z|RESERVED")
# A group larger than this is named by its family instead of copied; families larger than this
# are split by the next part of the name.
LARGE = 300
# Families smaller than this are left out.
SMALL = 3
FIRST_CATEGORY = "messagebox"
_WORD = re.compile(r"\w+")
# The C declarations of COM interfaces carry marshalling stubs (IFoo_Bar_Proxy), no calls.
_MARSHALLING_STUB = re.compile(r"_(?:Proxy|Stub)\Z")


def entry(name):
    return ("entry", name, name)


class Builder:
    def __init__(self, metadata, facts):
        self.metadata = metadata
        self.facts = facts
        self._group_constants = {}
        self.families = build_families(facts.all_constants())
        self._family_of = {name.lower(): family for family, names in self.families
                           for name in names}

    # -- groups ---------------------------------------------------------------------------------

    def group_constants(self, group_name):
        """The constants of a group that the headers define, masks and limits left out; None for
        a name that is no group."""
        if group_name not in self._group_constants:
            self._group_constants[group_name] = self._resolve(group_name)
        return self._group_constants[group_name]

    def _resolve(self, group_name):
        group = self.metadata.groups.get(group_name)
        enum_members = self.facts.enums.get(group_name)
        if group is None and enum_members is None:
            return None
        names = list(group.members) if group else []
        for pattern, header in group.auto if group else []:
            names += auto_populate(self.facts, pattern, header)
        names += enum_members or []
        return unique(n for n in names if self.facts.is_constant(n) and not _NOT_A_VALUE.search(n))

    # -- function categories --------------------------------------------------------------------

    def parameter_uses(self):
        """(function, parameter, group) from the metadata, then from the prototypes' enum types."""
        uses = list(self.metadata.uses)
        enum_names = set(self.facts.enums)
        for function in sorted(self.facts.prototypes):
            if enum_names.isdisjoint(_WORD.findall(self.facts.prototypes[function])):
                continue  # no enum type named: not worth reading the parameters
            for param in self.facts.parameters(function):
                if param.type_name in self.facts.enums and not param.pointer:
                    uses.append((function, param.name or param.type_name, param.type_name))
        return uses

    def function_categories(self):
        """category name -> list of Parameter blocks, for every function whose parameters take
        constants."""
        uses = self.parameter_uses()
        known = {use[0] for use in uses} | set(self.facts.prototypes)
        by_category = {}
        for function, param, group in uses:
            if not function.isidentifier() or is_structure(function, self.facts) \
                    or _MARSHALLING_STUB.search(function):
                continue
            base = base_name(function, known)
            params = by_category.setdefault(base.lower(), (base, {}))[1]
            params.setdefault(param, [])
            if group not in params[param]:
                params[param].append(group)
        categories = {}
        for name in sorted(by_category):
            base, params = by_category[name]
            blocks = self._blocks(params, self._prototype_order(base))
            if blocks:
                categories[name] = blocks
        return categories

    def _prototype_order(self, base):
        for variant in (base, base + "W", base + "A"):
            params = self.facts.parameters(variant)
            if params:
                return [p.name.lower() for p in params if p.name]
        return []

    def _blocks(self, params, order):
        def position(param):
            key = param.lower()
            return order.index(key) if key in order else len(order)

        blocks, seen = [], set()
        for param in sorted(params, key=position):  # stable: unknown ones keep metadata order
            block = Block(param)
            for group in params[param]:
                members = self.group_constants(group)
                if members is None:
                    continue
                if len(members) > LARGE:
                    block.pointers.append(self._family_pointer(group, members))
                else:
                    block.constants += [m for m in members if m.lower() not in seen]
            block.constants = unique(block.constants)
            seen.update(name.lower() for name in block.constants)
            if block.constants or block.pointers:
                blocks.append(block)
        return blocks

    def _family_pointer(self, group, members):
        """A comment naming the family categories that hold a group's constants, the largest
        first: a family split in parts is named by its prefix and "*"."""
        held = {}  # family prefix -> {category: count}
        for name in members:
            category = self._family_of.get(name.lower())
            if category:
                parts = held.setdefault(family_prefix(name).lower(), {})
                parts[category] = parts.get(category, 0) + 1
        def size(prefix):
            return sum(held[prefix].values())
        names = [prefix + "*" if len(held[prefix]) > 1 else next(iter(held[prefix]))
                 for prefix in sorted(held, key=lambda p: (-size(p), p))[:3]]
        return "%d constants of %s, too many to list here: see the categories %s" % (
            len(members), group, ", ".join(names))


class Block:
    """One parameter of a function category: its name, comments naming the families of its too
    large groups, and its constants."""

    def __init__(self, param):
        self.param = param
        self.pointers = []
        self.constants = []

    def lines(self, leave_out=()):
        constants = [c for c in self.constants if c.lower() not in leave_out]
        if not constants and not self.pointers:
            return []
        return ([("comment", self.param)] + [("comment", text) for text in self.pointers]
                + [entry(name) for name in constants])


def auto_populate(facts, pattern, header):
    """The numeric constants of `header` (of all headers when it is not there) whose names match
    the filter as a prefix, in header order."""
    regex = re.compile(pattern)
    names = facts.constants_of(header) if header.lower() in facts.order else facts.all_constants()
    return [n for n in names if regex.match(n)]


def is_structure(name, facts):
    """Some metadata 'methods' are structures (MSGBOXPARAMSA): all capitals, or declared as a
    structure and not as a function."""
    if not any(c.islower() for c in name):
        return True
    return name in facts.records and name not in facts.prototypes


def base_name(function, known):
    """The name without its A or W when the function comes in both forms."""
    if function[-1:] in ("A", "W"):
        other = function[:-1] + ("W" if function[-1] == "A" else "A")
        if other in known:
            return function[:-1]
    return function


def unique(names):
    """The names in order, each once; names differing only in case count as one, since the
    catalogue's reader finds keys regardless of case."""
    seen, out = set(), []
    for name in names:
        if name.lower() not in seen:
            seen.add(name.lower())
            out.append(name)
    return out


# -- families -------------------------------------------------------------------------------------

def family_prefix(name, parts=1):
    """The name up to and including its `parts`-th "_", or None when it has fewer."""
    end = -1
    for _ in range(parts):
        end = name.find("_", end + 1)
        if end < 0:
            return None
    return name[: end + 1]


def build_families(constants):
    """(family name, constants) pairs in name order, from constants in header order. A family of
    more than LARGE constants is split by the next part of the name; the parts of fewer than
    SMALL and the names without a next part stay in the family itself."""
    families = {}
    for name in unique(constants):
        if name.startswith("_"):
            continue  # reserved for the compiler and the headers' own switches
        prefix = family_prefix(name)
        if prefix:
            families.setdefault(prefix.lower(), []).append(name)
    out = []
    for family in sorted(families):
        names = families[family]
        if len(names) < SMALL:
            continue
        if len(names) <= LARGE:
            out.append((family, names))
            continue
        parts, rest = {}, []
        for name in names:
            part = family_prefix(name, 2)
            (parts.setdefault(part.lower(), []) if part else rest).append(name)
        for part in list(parts):
            if len(parts[part]) < SMALL:
                rest += parts.pop(part)
        if rest:
            kept = set(rest)
            parts[family] = [n for n in names if n in kept]
        out += [(part, parts[part]) for part in sorted(parts)]
    return out


# -- the whole catalogue --------------------------------------------------------------------------

def catalogue(function_categories, families, supplement):
    """All categories in catalogue order: messagebox, the other function categories, then the
    families. A supplement category's entries come first in the
    category of its name, followed by the generated entries it lacks."""
    merged = {name: [line for block in blocks for line in block.lines()]
              for name, blocks in function_categories.items()}
    merged.update((name, [entry(n) for n in names]) for name, names in families)
    hand_kept = {}
    for name, lines in supplement:
        hand_kept.setdefault(name, []).extend(lines)  # a name given twice is one category
    for name, lines in hand_kept.items():
        have = {line[1].lower() for line in lines if line[0] == "entry"}
        if name in function_categories:
            rest = [line for block in function_categories[name] for line in block.lines(have)]
        else:
            rest = [line for line in merged.get(name, []) if line[1].lower() not in have]
        merged[name] = lines + rest
    family_names = {name for name, _ in families}
    order = sorted(merged, key=lambda n: (n != FIRST_CATEGORY, n in family_names, n))
    return [(name, merged[name]) for name in order]
