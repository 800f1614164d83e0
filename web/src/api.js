// The view's JSON API. The token comes from the page's own address, which the program printed.
const token = new URLSearchParams(location.search).get('token') ?? '';

function request(path, body) {
  return fetch(path, {
    method: body === undefined ? 'GET' : 'POST',
    headers: { 'X-Velmora-Token': token, 'Content-Type': 'application/json' },
    body: body === undefined ? undefined : JSON.stringify(body),
  });
}

async function refusal(path, response) {
  const answer = await response.json().catch(() => ({}));
  return new Error(answer.error ?? `${path}: ${response.status}`);
}

export async function call(path, body) {
  const response = await request(path, body);
  if (!response.ok) throw await refusal(path, response);
  return response.json();
}

// A file the program answers, saved by the browser as any download is, under the name the
// program gives it. Resolves to that name.
export async function download(path) {
  const response = await request(path, {});
  if (!response.ok) throw await refusal(path, response);
  const name = /filename="([^"]*)"/.exec(response.headers.get('Content-Disposition') ?? '')?.[1] ?? 'download';
  const link = document.createElement('a');
  link.href = URL.createObjectURL(await response.blob());
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  return name;
}
