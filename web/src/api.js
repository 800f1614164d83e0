// The view's JSON API. The token comes from the page's own address, which the program printed.
const token = new URLSearchParams(location.search).get('token') ?? '';

export async function call(path, body) {
  const response = await fetch(path, {
    method: body === undefined ? 'GET' : 'POST',
    headers: { 'X-Velmora-Token': token, 'Content-Type': 'application/json' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
  const answer = await response.json();
  if (!response.ok) throw new Error(answer.error ?? `${path}: ${response.status}`);
  return answer;
}
